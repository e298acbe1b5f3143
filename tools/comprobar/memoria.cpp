// valgrind's report, told in Spanish.
#include "memoria.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "case.h"

namespace {

struct Kind {
    const char *starts;  // how valgrind's report of it begins
    const char *told;    // what it means
};

const Kind kinds[] = {
    {"Invalid write of size", "escribe fuera de la memoria que reservó (¿un índice que se sale de la "
                              "tabla, o un malloc que se queda corto?)"},
    {"Invalid read of size", "lee fuera de la memoria que reservó, o memoria que ya liberó"},
    {"Conditional jump or move depends on uninitialised value",
     "decide con un valor que nunca recibió valor (¿una variable sin inicializar, o memoria de "
     "malloc sin rellenar?)"},
    {"Use of uninitialised value", "usa un valor que nunca recibió valor (¿una variable sin "
                                   "inicializar, o memoria de malloc sin rellenar?)"},
    {"Syscall param", "escribe o guarda bytes que nunca recibieron valor"},
    {"Invalid free()", "libera con free algo que no se reservó con malloc, o lo libera dos veces"},
    {"Mismatched free()", "libera con free lo que se reservó con new, o con delete lo de malloc"},
    {"Source and destination overlap", "copia un texto sobre sí mismo: el origen y el destino se solapan"},
    {"Argument 'size' of function", "pide a malloc un tamaño imposible (¿un número negativo?)"},
};

// The text of a report line, without valgrind's "==1234== " in front.
std::string body(const std::string &line) {
    if (line.rfind("==", 0) != 0)
        return line;
    const size_t end = line.find("== ", 2);
    return end == std::string::npos ? std::string{} : line.substr(end + 3);
}

// The first place of a report that is a source file and line of the program's own, "lista.c:23".
std::string placeIn(const std::vector<std::string> &lines, size_t from) {
    for (size_t i = from + 1; i < lines.size(); ++i) {
        const std::string text = body(lines[i]);
        if (text.find("at 0x") == std::string::npos && text.find("by 0x") == std::string::npos)
            break;
        const size_t open = text.rfind('(');
        const size_t colon = text.rfind(':');
        if (open == std::string::npos || colon == std::string::npos || colon < open ||
            text.compare(open + 1, 3, "vg_") == 0 || text.compare(open + 1, 3, "in ") == 0)
            continue;
        return text.substr(open + 1, text.size() - open - 2);
    }
    return {};
}

}  // namespace

std::vector<std::string> valgrindCommand() {
    const char *path = getenv("PATH");
    std::string folders = std::string(path != nullptr ? path : "/usr/bin:/bin") + ":";
    for (size_t start = 0, end; (end = folders.find(':', start)) != std::string::npos; start = end + 1) {
        const std::string candidate = folders.substr(start, end - start) + "/valgrind";
        if (end > start && access(candidate.c_str(), X_OK) == 0)
            return {candidate, "--log-fd=3", "--leak-check=full", "--show-leak-kinds=definite",
                    "--errors-for-leak-kinds=none", "--track-origins=yes", "--num-callers=16"};
    }
    return {};
}

MemoryReport readValgrind(const std::string &log) {
    MemoryReport report;
    const auto lines = splitLines(log);
    std::string lostAt;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string text = body(lines[i]);
        if (text.find("I can't recover") != std::string::npos) {
            report.errors.push_back("valgrind no pudo leer la información de depuración de este ejecutable "
                                    "(¿compilado con un clang más nuevo que valgrind?): sin MEMORIA=1 se comprueba");
            break;
        }
        for (const Kind &kind : kinds) {
            if (text.rfind(kind.starts, 0) != 0)
                continue;
            const std::string place = placeIn(lines, i);
            const std::string error = std::string(kind.told) + (place.empty() ? "" : ", en " + place);
            bool seen = false;
            for (const std::string &known : report.errors)
                seen = seen || known == error;
            if (!seen && report.errors.size() < 5)
                report.errors.push_back(error);
        }
        if (text.find("are definitely lost in loss record") != std::string::npos && lostAt.empty())
            lostAt = placeIn(lines, i);
        const size_t lost = text.find("definitely lost: ");
        unsigned long bytes = 0, blocks = 0;
        if (lost != std::string::npos &&
            sscanf(text.c_str() + lost, "definitely lost: %lu bytes in %lu blocks", &bytes, &blocks) == 2 &&
            bytes > 0)
            report.note = "al terminar quedaban " + std::to_string(bytes) + " bytes sin liberar, en " +
                          std::to_string(blocks) + (blocks == 1 ? " bloque" : " bloques") +
                          (lostAt.empty() ? "" : ", reservada en " + lostAt) +
                          ": los programas del curso guardan algunas listas hasta el final, así "
                          "que no es un fallo, pero conviene saberlo";
    }
    return report;
}
