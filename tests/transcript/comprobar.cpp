// The course checker behind `make check P=<name> EXE=<path>`: runs the course's cases of one
// program against any executable (a student's own version) and tells, in Spanish, which pass,
// where a failing one differs, and the usual mistake when that is the whole difference.
//
//   comprobar NAME EXECUTABLE CASES      CASES: the manifest the build writes (tests/cases.tsv)
//
// Exit status: 0 when every case passes, 1 when one fails, 2 when nothing can be checked.
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "caso.h"
#include "pattern.h"

namespace {

// Why the conversation cannot see the program's reads, as WaitMode::Reason lists them.
const char *const motivos[] = {"la pide TRANSCRIPT_WAIT=quiet",
                               "este sistema no tiene /proc/<pid>/syscall",
                               "aquí no se puede leer /proc/<pid>/syscall",
                               "/proc/<pid>/syscall no mostró la lectura de una prueba"};

constexpr DiffWords spanish = {"línea", "columna", "esperado", "obtenido",
                               "líneas más difieren", "otra línea difiere",
                               "ninguna otra línea difiere"};

std::string withoutTrailingBlanks(const std::string &text) {
    std::string result;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        const bool last = end == std::string::npos;
        if (last)
            end = text.size();
        std::string line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        result += line;
        if (last)
            break;
        result += '\n';
        start = end + 1;
    }
    return result;
}

std::string without(const std::string &text, char removed) {
    std::string result = text;
    result.erase(std::remove(result.begin(), result.end(), removed), result.end());
    return result;
}

std::string withoutBlankLines(const std::string &text) {
    std::string result;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\n' && (i == 0 || text[i - 1] == '\n')))
            result += text[i];
    return result;
}

size_t countOf(const std::string &text, char wanted) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), wanted));
}

// The usual mistake, when it alone explains the difference in the output.
std::string outputHint(const std::string &expected, const std::string &actual) {
    if (actual + "\n" == expected)
        return "falta el salto de línea (\\n) del final";
    if (actual == expected + "\n")
        return "sobra un salto de línea (\\n) al final";
    if (withoutTrailingBlanks(actual) == withoutTrailingBlanks(expected))
        return "solo difieren los espacios en blanco al final de alguna línea";
    if (without(actual, '\a') == without(expected, '\a'))
        return countOf(expected, '\a') > countOf(actual, '\a') ? "falta el pitido (\\a) de un aviso"
                                                               : "sobra un pitido (\\a)";
    if (withoutBlankLines(actual) == withoutBlankLines(expected))
        return countOf(expected, '\n') > countOf(actual, '\n') ? "falta una línea en blanco"
                                                               : "sobra una línea en blanco";
    return {};
}

// The usual signals by name; others by number.
std::string signalName(int number) {
    static const struct {
        int number;
        const char *name;
    } known[] = {{SIGHUP, "SIGHUP"},   {SIGINT, "SIGINT"},   {SIGQUIT, "SIGQUIT"},
                 {SIGILL, "SIGILL"},   {SIGTRAP, "SIGTRAP"}, {SIGABRT, "SIGABRT"},
                 {SIGBUS, "SIGBUS"},   {SIGFPE, "SIGFPE"},   {SIGKILL, "SIGKILL"},
                 {SIGSEGV, "SIGSEGV"}, {SIGPIPE, "SIGPIPE"}, {SIGALRM, "SIGALRM"},
                 {SIGTERM, "SIGTERM"}, {SIGXCPU, "SIGXCPU"}, {SIGXFSZ, "SIGXFSZ"},
                 {SIGSYS, "SIGSYS"}};
    for (const auto &signal : known)
        if (signal.number == number)
            return signal.name;
    return std::to_string(number);
}

void indent(const std::string &text) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        printf("    %s\n", text.substr(start, end - start).c_str());
        start = end + 1;
    }
}

// Says what is wrong with a failing case, with a one-line hint when one explains it all.
void explain(const std::vector<Problem> &problems) {
    for (const Problem &p : problems) {
        switch (p.kind) {
        case Problem::Timeout:
            indent("el programa no terminó en " + p.detail +
                   " s (¿un bucle sin fin, o espera una entrada que no llega?)");
            break;
        case Problem::Signal:
            indent("el programa terminó por la señal " + signalName(p.actualStatus) + " (" +
                   strsignal(p.actualStatus) + ")");
            break;
        case Problem::Status:
            indent("terminó con estado " + std::to_string(p.actualStatus) + " y debía terminar con " +
                   std::to_string(p.expectedStatus));
            break;
        case Problem::SilentWait:
            if (waitMode().exact)
                indent("esperó la línea " + p.detail +
                       " de la entrada sin mostrar antes la pregunta: ¿falta fflush(stdout) antes de leer?");
            else
                indent("leyó toda la entrada que tenía y estuvo " +
                       std::to_string(patienceMilliseconds / 1000) + " s sin mostrar nada nuevo: parece que esperaba la línea " + p.detail +
                       " sin haber mostrado la pregunta: ¿falta fflush(stdout) antes de leer?");
            break;
        case Problem::Output:
            indent("la salida difiere en la " + compactDiff(p.expected, p.actual, spanish));
            break;
        case Problem::Pattern: {
            const int line = patternLine(p.detail);
            indent("la salida no coincide desde la línea " + std::to_string(line) +
                   " (las direcciones pueden variar; lo demás no):");
            indent(context(p.actual, line));
            break;
        }
        case Problem::Errors:
            indent("la salida de errores difiere en la " + compactDiff(p.expected, p.actual, spanish));
            break;
        case Problem::FileMissing:
            indent("no escribió el archivo " + p.detail);
            break;
        case Problem::FileDiffers:
            indent("el archivo " + p.detail + " difiere en la " +
                   compactDiff(p.expected, p.actual, spanish));
            break;
        case Problem::FilePresent:
            indent("el archivo " + p.detail + " no debería existir");
            break;
        }
    }
    std::string hint;
    if (problems.size() == 1) {
        const Problem &p = problems[0];
        if (p.kind == Problem::Output)
            hint = outputHint(p.expected, p.actual);
        else if (p.kind == Problem::Status)
            hint = "solo difiere el estado de salida (el valor que devuelve main o que recibe exit)";
        else if (p.kind == Problem::SilentWait)
            hint = "la pregunta no estaba en pantalla cuando el programa se puso a esperar";
    }
    if (!hint.empty())
        printf("    Pista: %s.\n", hint.c_str());
}

struct Entry {
    std::string driver;
    fs::path folder;
};

std::vector<Entry> casesOf(const std::string &name, const fs::path &manifest, bool &readable) {
    std::vector<Entry> found;
    const auto text = readFile(manifest);
    readable = text.has_value();
    size_t start = 0;
    while (text && start < text->size()) {
        size_t end = text->find('\n', start);
        if (end == std::string::npos)
            end = text->size();
        const std::string line = text->substr(start, end - start);
        start = end + 1;
        const size_t tab1 = line.find('\t');
        const size_t tab2 = line.find('\t', tab1 + 1);
        if (tab1 == std::string::npos || tab2 == std::string::npos || line.substr(0, tab1) != name)
            continue;
        found.push_back({line.substr(tab1 + 1, tab2 - tab1 - 1), line.substr(tab2 + 1)});
    }
    return found;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 4) {
        fprintf(stderr, "uso: %s PROGRAMA EJECUTABLE CASOS\n", argv[0]);
        return 2;
    }
    signal(SIGPIPE, SIG_IGN);
    const std::string name = argv[1];
    const fs::path executable = fs::absolute(argv[2]);
    std::error_code ec;
    if (!fs::is_regular_file(executable, ec) || access(executable.c_str(), X_OK) != 0) {
        printf("%s no es un programa ejecutable: compílalo primero (o revisa la ruta de EXE).\n",
               argv[2]);
        return 2;
    }
    bool readable = false;
    const std::vector<Entry> entries = casesOf(name, argv[3], readable);
    if (!readable) {
        printf("No encuentro la lista de casos %s: ejecuta make check desde la raíz del curso.\n",
               argv[3]);
        return 2;
    }
    if (entries.empty()) {
        printf("El curso no tiene casos de «%s» (make list muestra los programas).\n", name.c_str());
        return 2;
    }

    printf("Casos de «%s» con %s\n", name.c_str(), argv[2]);
    if (waitMode().exact)
        printf("Conversación exacta: se ve cuándo el programa se pone a leer su entrada.\n");
    else
        printf("Conversación aproximada (%s): cada línea se da cuando el programa ha leído toda "
               "su entrada y lleva %d ms sin escribir nada.\n",
               motivos[waitMode().reason], quietMilliseconds);
    int passed = 0;
    int checked = 0;
    for (const Entry &entry : entries) {
        const std::string caseName = entry.folder.filename().string();
        if (!entry.driver.empty()) {
            printf("- %s: se omite, lo ejecuta un programa de pruebas del curso (%s)\n",
                   caseName.c_str(), entry.driver.c_str());
            continue;
        }
        Case c;
        std::string why;
        if (!loadCase(entry.folder, c, why)) {
            ++checked;
            printf("✗ %s\n", caseName.c_str());
            indent("el caso está mal formado: " + why);
            continue;
        }
        if (const std::string device = missingDevice(c); !device.empty()) {
            printf("- %s: se omite, este sistema no tiene %s\n", caseName.c_str(), device.c_str());
            continue;
        }
        if (const std::string fact = unmetPlatformFact(c, fs::path(argv[3]).parent_path() / "platform.txt");
            !fact.empty()) {
            printf("- %s: se omite, vale donde %s, y aquí no\n", caseName.c_str(), fact.c_str());
            continue;
        }
        if (!c.failCall.empty()) {
            printf("- %s: se omite, provoca un fallo de %s con una biblioteca de pruebas del curso\n",
                   caseName.c_str(), c.failCall.substr(0, c.failCall.find(' ')).c_str());
            continue;
        }
        ++checked;
        RunOptions options;
        options.conversation = !c.batch;
        // Built with the sanitizers, the course's programs keep what the course says they
        // keep: a leak report is no fault of theirs.
        if (getenv("ASAN_OPTIONS") == nullptr)
            options.environment.push_back("ASAN_OPTIONS=detect_leaks=0");
        const Run run = runCase(executable, c, options);
        std::error_code ignored;
        if (!run.started) {
            printf("✗ %s\n", caseName.c_str());
            indent("no se pudo preparar la prueba: " + run.setupError);
            if (!run.scratch.empty())
                fs::remove_all(run.scratch, ignored);
            continue;
        }
        const auto problems = judge(c, run, options.seconds);
        if (problems.empty()) {
            ++passed;
            printf("✓ %s\n", caseName.c_str());
            fs::remove_all(run.scratch, ignored);
            continue;
        }
        printf("✗ %s\n", caseName.c_str());
        explain(problems);
        printf("    (la carpeta de la prueba queda en %s)\n", run.scratch.c_str());
    }
    if (checked == 0) {
        printf("Ningún caso de «%s» se puede comprobar con otro ejecutable.\n", name.c_str());
        return 2;
    }
    printf("%d de %d casos correctos\n", passed, checked);
    return passed == checked ? 0 : 1;
}
