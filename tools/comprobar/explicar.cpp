// What the course checker tells a student about a case, in Spanish.
#include "explicar.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "pattern.h"
#include "report.h"

namespace {

constexpr DiffWords spanish = {"línea", "columna", "esperado", "obtenido",
                               "líneas más difieren", "otra línea difiere",
                               "ninguna otra línea difiere"};

std::string withoutTrailingBlanks(const std::string &text) {
    std::string result;
    for (const std::string &line : linesWithEnds(text)) {
        const bool ended = !line.empty() && line.back() == '\n';
        std::string kept = ended ? line.substr(0, line.size() - 1) : line;
        while (!kept.empty() && (kept.back() == ' ' || kept.back() == '\t'))
            kept.pop_back();
        result += kept + (ended ? "\n" : "");
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

std::string withWindowsLineEnds(const std::string &text) {
    std::string result;
    for (char c : text)
        result += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return result;
}

size_t countOf(const std::string &text, char wanted) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), wanted));
}

std::string sorted(std::string text) {
    std::sort(text.begin(), text.end());
    return text;
}

// The usual mistake, when it alone explains the difference in the output.
std::string outputHint(const std::string &expected, const std::string &actual) {
    if (actual + "\n" == expected)
        return "falta el salto de línea (\\n) del final";
    if (actual == expected + "\n")
        return "sobra un salto de línea (\\n) al final";
    if (actual == withWindowsLineEnds(expected))
        return "las líneas acaban en \\r\\n, como en Windows: escribe solo \\n (¿el fuente se "
               "escribió en Windows con \\r\\n dentro de los textos?)";
    if (withoutTrailingBlanks(actual) == withoutTrailingBlanks(expected))
        return "solo difieren los espacios en blanco al final de alguna línea";
    if (without(actual, '\a') == without(expected, '\a'))
        return countOf(expected, '\a') > countOf(actual, '\a') ? "falta el pitido (\\a) de un aviso"
                                                               : "sobra un pitido (\\a)";
    if (withoutBlankLines(actual) == withoutBlankLines(expected))
        return countOf(expected, '\n') > countOf(actual, '\n') ? "falta una línea en blanco"
                                                               : "sobra una línea en blanco";
    if (sorted(actual) == sorted(expected))
        return "sale todo lo esperado, pero en otro orden: ¿mezclas write con printf? printf "
               "guarda lo que escribe en un búfer y write lo escribe al momento (usa solo printf, "
               "o fflush(stdout) antes de cada write)";
    return {};
}

// The usual mistake in a case whose output is a pattern: the output, mended of it, matches.
std::string patternHint(const std::string &pattern, const std::string &actual) {
    PatternMismatch unused;
    auto matches = [&](const std::string &mended) { return matchPattern(pattern, mended, unused); };
    if (matches(actual + "\n"))
        return "falta el salto de línea (\\n) del final";
    if (!actual.empty() && actual.back() == '\n' && matches(actual.substr(0, actual.size() - 1)))
        return "sobra un salto de línea (\\n) al final";
    if (actual.find('\r') != std::string::npos && matches(without(actual, '\r')))
        return "las líneas acaban en \\r\\n, como en Windows: escribe solo \\n (¿el fuente se "
               "escribió en Windows con \\r\\n dentro de los textos?)";
    if (matches(withoutTrailingBlanks(actual)))
        return "sobran espacios en blanco al final de alguna línea";
    if (actual.find('\a') != std::string::npos && matches(without(actual, '\a')))
        return "sobra un pitido (\\a)";
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

// What an executable that could not be started is, from its first bytes.
std::string kindOfExecutable(const std::string &path) {
    const std::string head = readFile(path, 20).value_or("");
    if (head.rfind("\x7f" "ELF", 0) == 0 && head.size() >= 20) {
        const int machine = static_cast<unsigned char>(head[18]) | static_cast<unsigned char>(head[19]) << 8;
        const char *name = machine == 62    ? "x86-64 (PC)"
                           : machine == 183 ? "ARM de 64 bits"
                           : machine == 3   ? "x86 de 32 bits"
                           : machine == 40  ? "ARM de 32 bits"
                           : machine == 243 ? "RISC-V"
                                            : "otra arquitectura";
        return std::string("es un ejecutable de Linux para ") + name +
               ", que este ordenador no ejecuta: compílalo aquí";
    }
    if (head.rfind("\xcf\xfa\xed\xfe", 0) == 0 || head.rfind("\xca\xfe\xba\xbe", 0) == 0)
        return "es un ejecutable de macOS: compílalo en este sistema";
    if (head.rfind("MZ", 0) == 0)
        return "es un ejecutable de Windows (.exe): compílalo en este sistema (en WSL, dentro de Ubuntu)";
    return "no es un programa que el sistema sepa ejecutar (¿un archivo de texto sin #! en la "
           "primera línea?)";
}

std::string cannotStart(int error, const std::string &executable) {
    if (error == ENOEXEC)
        return kindOfExecutable(executable);
    if (error == EACCES)
        return "no se puede ejecutar: no tiene permiso de ejecución (chmod +x)";
    if (error == ENOENT)
        return "no se puede ejecutar: falta el intérprete que nombra su primera línea (#!)";
    return std::string("no se pudo ejecutar: ") + strerror(error);
}

}  // namespace

std::string seconds(double value) {
    char text[32];
    snprintf(text, sizeof text, "%.2f s", value);
    std::string shown = text;
    std::replace(shown.begin(), shown.end(), '.', ',');
    return shown;
}

std::string indented(const std::string &text) {
    std::string shown;
    for (const std::string &line : splitLines(text))
        shown += "    " + line + "\n";
    return shown;
}

Explained explain(const Case &c, const Run &run, const std::vector<Problem> &problems,
                  const Limits &limits, SilentWaitCause cause, const std::string &executable) {
    std::string text;
    auto say = [&text](const std::string &line) { text += indented(line); };
    for (const Problem &p : problems) {
        switch (p.kind) {
        case Problem::CannotStart:
            say(executable + " " + cannotStart(p.execError, executable));
            break;
        case Problem::WallTime:
            say("el programa no terminó en " + seconds(limits.wallSeconds) +
                " (¿un bucle sin fin, o espera una entrada que no llega?)");
            break;
        case Problem::CpuTime:
            say("el programa calculó más de " + std::to_string(limits.cpuSeconds) +
                " s sin parar: ¿un bucle sin fin?");
            break;
        case Problem::TooMuchOutput:
            say("escribió más de " + std::to_string(limits.outputBytes >> 20) +
                " MiB: ¿un bucle sin fin?");
            break;
        case Problem::TooMuchErrors:
            say("escribió más de " + std::to_string(limits.outputBytes >> 20) +
                " MiB en la salida de errores: ¿un bucle sin fin?");
            break;
        case Problem::Memory:
            say("el programa pasó de " + std::to_string(limits.memoryMiB) +
                " MiB de memoria entre todos sus procesos: ¿reserva memoria en un bucle sin fin?");
            break;
        case Problem::Disk:
            say("el programa escribió más de " + std::to_string(limits.diskBytes >> 20) +
                " MiB en su carpeta: ¿escribe en un bucle sin fin?");
            break;
        case Problem::Signal:
            say("el programa terminó por la señal " + signalName(p.actualStatus) + " (" +
                strsignal(p.actualStatus) + ")");
            break;
        case Problem::Status:
            say("terminó con estado " + std::to_string(p.actualStatus) + " y debía terminar con " +
                std::to_string(p.expectedStatus));
            break;
        case Problem::SilentWait:
            if (cause == SilentWaitCause::MoreInput)
                say("esperó la línea " + std::to_string(p.line) + " de la entrada, y el caso solo da " +
                    std::to_string(p.line - 1) + ": el programa leyó más de lo que se le pedía");
            else if (waitMode().exact)
                say("esperó la línea " + std::to_string(p.line) +
                    " de la entrada sin mostrar antes la pregunta");
            else
                say("leyó toda la entrada que tenía y estuvo " +
                    std::to_string(patienceMilliseconds / 1000) +
                    " s sin mostrar nada nuevo: parece que esperaba la línea " +
                    std::to_string(p.line) + " sin haber mostrado la pregunta");
            break;
        case Problem::Output:
            say("la salida difiere en la " + renderDifference(p.difference, spanish));
            break;
        case Problem::Pattern:
            if (p.mismatch.kind == PatternMismatch::BadPattern)
                say("el caso está mal escrito: su stdout.pat no es un patrón (" + p.mismatch.detail + ")");
            else
                say("la salida no coincide (las direcciones pueden variar; lo demás no) en la " +
                    renderMismatch(p.mismatch, spanish));
            break;
        case Problem::Errors:
            say("la salida de errores difiere en la " + renderDifference(p.difference, spanish));
            break;
        case Problem::FileMissing:
            say("no escribió el archivo " + p.file);
            break;
        case Problem::FileNotRegular:
            say("el archivo " + p.file + " es un enlace (o no es un archivo normal): no cuenta como "
                "escrito por el programa");
            break;
        case Problem::FileDiffers:
            say("el archivo " + p.file + " difiere en la " + renderDifference(p.difference, spanish));
            break;
        case Problem::FilePresent:
            say("el archivo " + p.file + " no debería existir");
            break;
        }
    }
    // Where the output first differs, shown as the student saw it: the typed lines in place.
    for (const Problem &p : problems) {
        if (run.inputAt.empty() || (p.kind != Problem::Output && p.kind != Problem::Pattern) ||
            (p.kind == Problem::Pattern && p.mismatch.kind == PatternMismatch::BadPattern))
            continue;
        const size_t line = p.kind == Problem::Output ? p.difference.line : static_cast<size_t>(p.mismatch.line);
        const size_t column = p.kind == Problem::Output ? p.difference.column : p.mismatch.column;
        size_t offset = 0;
        for (size_t seen = 1; seen < line && offset < run.output.size(); ++offset)
            seen += run.output[offset] == '\n';
        text += "    Así se vio (lo tecleado, en su sitio), hasta donde difiere:\n" +
                indented(conversationUpTo(run.output, c.input.value_or(""), run.inputAt,
                                          std::min(offset + column - 1, run.output.size()), 6));
        break;
    }
    Explained explained;
    if (problems.size() == 1) {
        const Problem &p = problems[0];
        if (p.kind == Problem::Output)
            explained.hint = outputHint(p.expected, p.actual);
        else if (p.kind == Problem::Pattern && p.mismatch.kind != PatternMismatch::BadPattern)
            explained.hint = patternHint(p.expected, p.actual);
        else if (p.kind == Problem::Status)
            explained.hint = "solo difiere el estado de salida (el valor que devuelve main o que recibe exit)";
        else if (p.kind == Problem::Errors)
            explained.hint = "solo difiere la salida de errores (stderr): ¿quedan mensajes de depuración "
                             "con fprintf(stderr, ...)?";
        else if (p.kind == Problem::SilentWait && cause == SilentWaitCause::NoFlush)
            explained.hint = "la pregunta no estaba en pantalla cuando el programa se puso a esperar: "
                             "falta fflush(stdout) antes de leer";
        else if (p.kind == Problem::SilentWait && cause == SilentWaitCause::MoreInput)
            explained.hint = "¿un scanf con \\n o un espacio al final del formato? Sigue leyendo hasta "
                             "encontrar algo que no sea un blanco";
    }
    if (!explained.hint.empty()) {
        const char last = explained.hint.back();
        text += "    Pista: " + explained.hint + (last == '?' || last == '.' || last == '!' ? "\n" : ".\n");
    }
    explained.text = text;
    return explained;
}
