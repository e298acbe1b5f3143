// valgrind's report, read from its XML and told in Spanish.
#include "memoria.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "case.h"
#include "run.h"

namespace {

struct Kind {
    const char *name;  // valgrind's <kind>
    const char *told;  // what it means
};

const char *const writesOutside = "escribe fuera de la memoria que reservó (¿un índice que se sale de "
                                 "la tabla, o un malloc que se queda corto?)";
const char *const readsOutside = "lee fuera de la memoria que reservó, o memoria que ya liberó";
const char *const freesWrongly = "libera con free algo que no se reservó con malloc, o lo libera dos veces";

const Kind kinds[] = {
    {"InvalidWrite", writesOutside},
    {"InvalidRead", readsOutside},
    {"UninitCondition", "decide con un valor que nunca recibió valor (¿una variable sin inicializar, "
                        "o memoria de malloc sin rellenar?)"},
    {"UninitValue", "usa un valor que nunca recibió valor (¿una variable sin inicializar, o memoria "
                    "de malloc sin rellenar?)"},
    {"InvalidFree", freesWrongly},
    {"MismatchedFree", "libera con free lo que se reservó con new, o con delete lo de malloc"},
    {"Overlap", "copia un texto sobre sí mismo: el origen y el destino se solapan"},
    {"FishyValue", "pide a malloc un tamaño imposible (¿un número negativo?)"},
    {"InvalidJump", "salta a una dirección que no es código (¿un puntero a función sin valor, o la "
                    "pila machacada?)"},
};

// The text between <tag> and </tag> from a place on, and where it ends; empty when not there
// before the limit.
std::string element(const std::string &xml, const std::string &tag, size_t &from, size_t limit) {
    const std::string open = "<" + tag + ">", close = "</" + tag + ">";
    const size_t start = xml.find(open, from);
    if (start == std::string::npos || start >= limit)
        return {};
    const size_t end = xml.find(close, start);
    if (end == std::string::npos || end > limit)
        return {};
    from = end + close.size();
    return xml.substr(start + open.size(), end - start - open.size());
}

std::string element(const std::string &xml, const std::string &tag) {
    size_t from = 0;
    return element(xml, tag, from, xml.size());
}

std::string unescaped(std::string text) {
    static const struct {
        const char *entity;
        char character;
    } entities[] = {{"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}, {"&amp;", '&'}};
    for (const auto &entity : entities)
        for (size_t at; (at = text.find(entity.entity)) != std::string::npos;)
            text.replace(at, std::string(entity.entity).size(), 1, entity.character);
    return text;
}

// A source file of the program's own: one on this machine, or one compiled in a scratch folder
// of the runner's (the student's sources are compiled in the box, in a folder gone by now).
bool ownSource(const std::string &folder, const std::string &file) {
    return access(file.c_str(), R_OK) == 0 || folder.rfind(temporaryFolder() + "/transcript.", 0) == 0;
}

// The first frame of a stack in the program's own sources, "lista.c:23": a file that is on
// this machine outside the system's folders (ownSource). Frames in the C library (vfprintf-process-arg.c)
// or in valgrind's own replacements (vg_replace_malloc.c) are passed by.
std::string ownPlace(const std::string &stack) {
    size_t from = 0;
    for (std::string frame; !(frame = element(stack, "frame", from, stack.size())).empty();) {
        const std::string dir = unescaped(element(frame, "dir"));
        const std::string file = unescaped(element(frame, "file"));
        const std::string line = element(frame, "line");
        if (dir.empty() || file.empty() || line.empty() || dir[0] != '/' || dir.rfind("/usr/", 0) == 0)
            continue;
        if (ownSource(dir, dir + "/" + file))
            return file + ":" + line;
    }
    return {};
}

// What a system call was given, from valgrind's "Syscall param read(buf) points to ...".
std::string syscallTold(const std::string &what) {
    const size_t open = what.find("param ");
    const size_t paren = what.find('(', open);
    const std::string call = open == std::string::npos || paren == std::string::npos
                                 ? std::string("del sistema")
                                 : what.substr(open + 6, paren - open - 6);
    if (what.find("uninitialised") != std::string::npos)
        return "da a " + call + " bytes que nunca recibieron valor (¿escribe en un archivo una "
                                "tabla o un registro sin rellenar del todo?)";
    return "da a " + call + " una dirección de memoria que no es suya (¿un puntero nulo o sin "
                            "valor, o una tabla más corta de lo que dice?)";
}

// The first frame of a sanitizer's stack in the program's own sources: "    #1 0x4f in main
// /home/ana/lista.c:23:5" gives "lista.c:23".
std::string ownSanitizerPlace(const std::vector<std::string> &lines, size_t from) {
    for (size_t i = from; i < lines.size(); ++i) {
        const std::string &line = lines[i];
        if (line.rfind("    #", 0) != 0)
            continue;
        const size_t path = line.find(" /");
        if (path == std::string::npos)
            continue;
        std::string place = line.substr(path + 1);
        const size_t first = place.find(':');
        if (first == std::string::npos || place.rfind("/usr/", 0) == 0 ||
            !ownSource(place.substr(0, place.rfind('/', first)), place.substr(0, first)))
            continue;
        const size_t second = place.find(':', first + 1);
        place = place.substr(0, second);
        return place.substr(place.rfind('/', first) + 1);
    }
    return {};
}

// UBSan's "runtime error: ..." in Spanish, for the usual ones.
std::string undefinedTold(const std::string &what) {
    if (what.find("out of bounds") != std::string::npos)
        return "usa un índice que se sale de la tabla";
    if (what.find("signed integer overflow") != std::string::npos)
        return "un cálculo con enteros con signo se sale de su tipo (¿un int que no basta?)";
    if (what.find("by zero") != std::string::npos)
        return "divide entre cero";
    if (what.find("null pointer") != std::string::npos)
        return "usa un puntero nulo";
    if (what.find("shift") != std::string::npos)
        return "desplaza (<< o >>) más bits de los que tiene el número";
    return "hace algo que C no define (" + what + ")";
}

}  // namespace

const char *const sanitizerOptions = "UBSAN_OPTIONS=print_summary=0";

std::vector<std::string> sanitizerFlags() {
    // Tables are checked by AddressSanitizer, in the same words as the heap's.
    return {"-fsanitize=address,undefined", "-fno-sanitize=bounds,object-size", "-fno-sanitize-recover=all",
            "-fno-omit-frame-pointer"};
}

MemoryReport readSanitizers(const std::string &errors, std::string &rest) {
    MemoryReport report;
    rest.clear();
    const auto lines = linesWithEnds(errors);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string &line = lines[i];
        if (const size_t at = line.find(": runtime error: "); at != std::string::npos) {
            std::string what = line.substr(at + 17);
            if (!what.empty() && what.back() == '\n')
                what.pop_back();
            const size_t column = line.rfind(':', at - 1);
            const std::string place = line.substr(0, column == std::string::npos ? at : column);
            report.errors.push_back(undefinedTold(what) + ", en " + place.substr(place.rfind('/') + 1));
            continue;
        }
        if (line.find("==ERROR: AddressSanitizer: ") == std::string::npos) {
            if (line.find("=================") != 0)
                rest += line;
            continue;
        }
        // The report runs to its last line, "==1234==ABORTING".
        size_t end = i;
        while (end < lines.size() && lines[end].find("==ABORTING") == std::string::npos)
            ++end;
        const std::string kind = line.substr(line.find("AddressSanitizer: ") + 18);
        const bool writes = i + 1 < lines.size() && lines[i + 1].rfind("WRITE", 0) == 0;
        std::string told;
        if (kind.find("overflow") != std::string::npos || kind.find("underflow") != std::string::npos ||
            kind.find("use-after") != std::string::npos)
            told = kind.rfind("stack-overflow", 0) == 0 ? "la pila se desborda: ¿una recursión sin fin?"
                   : writes                             ? writesOutside
                                                        : readsOutside;
        else if (kind.find("double-free") != std::string::npos || kind.find("bad-free") != std::string::npos ||
                 kind.find("not malloc()-ed") != std::string::npos)
            told = freesWrongly;
        else if (kind.find("alloc-dealloc-mismatch") != std::string::npos)
            told = "libera con free lo que se reservó con new, o con delete lo de malloc";
        else if (kind.find("param-overlap") != std::string::npos)
            told = "copia un texto sobre sí mismo: el origen y el destino se solapan";
        else if (kind.find("SEGV") != std::string::npos)
            told = "accede a memoria que no es suya (¿un puntero nulo o sin valor?)";
        else if (kind.find("negative-size") != std::string::npos || kind.find("allocation-size") != std::string::npos)
            told = "pide a malloc un tamaño imposible (¿un número negativo?)";
        else
            told = "AddressSanitizer avisa: " + kind.substr(0, kind.find('\n'));
        const std::string place = ownSanitizerPlace(splitLines(errors), i);
        report.errors.push_back(told + (place.empty() ? "" : ", en " + place));
        i = end;
    }
    return report;
}

std::vector<std::string> valgrindCommand() {
    const char *path = getenv("PATH");
    std::string folders = std::string(path != nullptr ? path : "/usr/bin:/bin") + ":";
    for (size_t start = 0, end; (end = folders.find(':', start)) != std::string::npos; start = end + 1) {
        const std::string candidate = folders.substr(start, end - start) + "/valgrind";
        if (end > start && access(candidate.c_str(), X_OK) == 0)
            return {candidate, "--xml=yes", "--xml-fd=3", "--log-file=/dev/null", "--leak-check=full",
                    "--show-leak-kinds=definite", "--errors-for-leak-kinds=none", "--track-origins=yes",
                    "--num-callers=16"};
    }
    return {};
}

MemoryReport readValgrind(const std::string &xml) {
    MemoryReport report;
    if (xml.empty())
        return report;
    if (xml.find("<valgrindoutput>") == std::string::npos) {
        report.errors.push_back("valgrind no pudo leer la información de depuración de este ejecutable "
                                "(¿compilado con un clang más nuevo que valgrind?): sin MEMORIA=1 se comprueba");
        return report;
    }
    unsigned long lostBytes = 0, lostBlocks = 0;
    std::string lostAt;
    size_t from = 0;
    for (std::string error; !(error = element(xml, "error", from, xml.size())).empty();) {
        const std::string kind = element(error, "kind");
        const std::string place = ownPlace(element(error, "stack"));
        if (kind == "Leak_DefinitelyLost") {
            lostBytes += strtoul(element(error, "leakedbytes").c_str(), nullptr, 10);
            lostBlocks += strtoul(element(error, "leakedblocks").c_str(), nullptr, 10);
            if (lostAt.empty())
                lostAt = place;
            continue;
        }
        std::string told;
        for (const Kind &known : kinds)
            if (kind == known.name)
                told = known.told;
        if (kind == "SyscallParam")
            told = syscallTold(unescaped(element(error, "what")));
        if (told.empty())
            told = "valgrind avisa: " + unescaped(element(error, "what"));
        const std::string line = told + (place.empty() ? "" : ", en " + place);
        bool seen = false;
        for (const std::string &known : report.errors)
            seen = seen || known == line;
        if (!seen && report.errors.size() < 5)
            report.errors.push_back(line);
    }
    if (const std::string fatal = element(xml, "fatal_signal"); !fatal.empty())
        report.crashAt = ownPlace(element(fatal, "stack"));
    if (lostBytes > 0)
        report.note = "al terminar quedaban " + std::to_string(lostBytes) + " bytes sin liberar, en " +
                      std::to_string(lostBlocks) + (lostBlocks == 1 ? " bloque" : " bloques") +
                      (lostAt.empty() ? "" : ", reservados en " + lostAt) +
                      ": los programas del curso guardan algunas listas hasta el final, así "
                      "que no es un fallo, pero conviene saberlo";
    return report;
}
