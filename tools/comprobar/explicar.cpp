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
                               "ninguna otra línea difiere",
                               "se parecen, pero son caracteres distintos"};

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

// The usual mistakes of line ends and encodings, in a text (the output, or a written file):
// lines that end in \r\n, some or all, and the right text in another encoding.
std::string textHint(const std::string &expected, const std::string &actual, const char *what) {
    std::string unix;
    size_t windows = 0;
    for (size_t i = 0; i < actual.size(); ++i) {
        const bool crlf = actual[i] == '\r' && i + 1 < actual.size() && actual[i + 1] == '\n';
        windows += crlf;
        if (!crlf)
            unix += actual[i];
    }
    if (windows > 0 && unix == expected) {
        const size_t lines = static_cast<size_t>(std::count(expected.begin(), expected.end(), '\n'));
        return (windows == lines ? std::string("las líneas ") + what + "acaban"
                                 : std::to_string(windows) + " de las " + std::to_string(lines) + " líneas " +
                                       what + (windows == 1 ? "acaba" : "acaban")) +
               " en \\r\\n, como en Windows: escribe solo \\n (¿el fuente se escribió en Windows con "
               "\\r\\n dentro de los textos?)";
    }
    if (toUtf8(actual, Encoding::Latin1) == expected)
        return std::string("sale lo esperado, pero en Latin-1 (o Windows-1252) y no en UTF-8: ¿está el "
                           "fuente guardado en Latin-1? Guárdalo en UTF-8");
    if (toUtf8(expected, Encoding::MacRoman) == actual)
        return std::string("sale lo esperado, pero en UTF-8, y se espera en Mac OS Roman (mira el "
                           "enunciado: cada letra así es un byte, escrito con un escape como \\x92)");
    if (toUtf8(expected, Encoding::Latin1) == actual)
        return std::string("sale lo esperado, pero en UTF-8, y se espera en Latin-1 (mira el enunciado)");
    return {};
}

size_t countOf(const std::string &text, char wanted) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), wanted));
}

const char *const orderHint =
    "sale todo lo esperado, pero en otro orden: ¿mezclas write con printf? printf guarda lo que "
    "escribe en un búfer y write lo escribe al momento (usa solo printf, o fflush(stdout) antes "
    "de cada write)";

std::string sorted(std::string text) {
    std::sort(text.begin(), text.end());
    return text;
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

// What a signal that ended a program usually means in a student's program.
std::string signalTold(int number) {
    switch (number) {
    case SIGSEGV:
    case SIGBUS:
        return "accedió a memoria que no es suya (¿un puntero nulo o sin valor, un índice que se sale "
               "de la tabla, una recursión sin fin?)";
    case SIGABRT:
        return "abortó: lo hace abort(), un assert que no se cumple, o la biblioteca de C cuando ve la "
               "memoria dinámica estropeada (¿un free dos veces, una escritura fuera de un bloque?)";
    case SIGFPE:
        return "una operación aritmética imposible: ¿una división o un resto entre cero, con enteros?";
    case SIGILL:
        return "ejecutó una instrucción que no existe (¿la pila machacada, o una función que no "
               "devuelve el valor que promete?)";
    case SIGPIPE:
        return "escribió en una tubería que nadie leía";
    case SIGKILL:
        return "lo mató otro proceso o el sistema (¿se quedó sin memoria?)";
    default:
        return strsignal(number);
    }
}

// What standard error says when it alone differs: an order system() could not find, or
// messages left from debugging.
std::string errorsHint(const std::string &actual, bool alone) {
    const size_t missing = actual.find(": not found");
    if (missing != std::string::npos) {
        const size_t start = actual.rfind(": ", missing - 1);
        const std::string order = start == std::string::npos ? std::string{} : actual.substr(start + 2, missing - start - 2);
        if (order == "pause" || order == "PAUSE" || order == "cls" || order == "CLS")
            return "system(\"" + order + "\") es una orden de Windows que aquí no existe: quítala (el "
                   "programa no debe esperar ni borrar la pantalla)";
        return "system(\"" + order + "\") pide una orden que este sistema no tiene";
    }
    if (!alone)
        return {};
    return "solo difiere la salida de errores (stderr): ¿quedan mensajes de depuración con "
           "fprintf(stderr, ...)?";
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

// The usual mistake, when it alone explains the difference in the output.
std::string outputHint(const std::string &expected, const std::string &actual) {
    if (actual + "\n" == expected)
        return "falta el salto de línea (\\n) del final";
    if (actual == expected + "\n")
        return "sobra un salto de línea (\\n) al final";
    if (const std::string hint = textHint(expected, actual, ""); !hint.empty())
        return hint;
    if (withoutTrailingBlanks(actual) == withoutTrailingBlanks(expected))
        return "solo difieren los espacios en blanco al final de alguna línea";
    if (without(actual, '\a') == without(expected, '\a'))
        return countOf(expected, '\a') > countOf(actual, '\a') ? "falta el pitido (\\a) de un aviso"
                                                               : "sobra un pitido (\\a)";
    if (withoutBlankLines(actual) == withoutBlankLines(expected))
        return countOf(expected, '\n') > countOf(actual, '\n') ? "falta una línea en blanco"
                                                               : "sobra una línea en blanco";
    if (sorted(actual) == sorted(expected))
        return orderHint;
    return {};
}

// The usual mistake in a case whose output is a pattern: the output, mended of it, matches.
std::string patternHint(const std::string &pattern, const std::string &actual) {
    PatternMismatch unused;
    auto matches = [&](const std::string &mended, const std::string &wanted) {
        return matchPattern(wanted, mended, unused);
    };
    if (matches(actual + "\n", pattern))
        return "falta el salto de línea (\\n) del final";
    if (!actual.empty() && actual.back() == '\n' && matches(actual.substr(0, actual.size() - 1), pattern))
        return "sobra un salto de línea (\\n) al final";
    if (actual.find('\r') != std::string::npos && matches(without(actual, '\r'), pattern))
        return "las líneas acaban en \\r\\n, como en Windows: escribe solo \\n (¿el fuente se "
               "escribió en Windows con \\r\\n dentro de los textos?)";
    if (matches(withoutTrailingBlanks(actual), pattern))
        return "sobran espacios en blanco al final de alguna línea";
    // The placeholders hold no bell and no line feed: both can be taken out of the pattern too.
    if (matches(without(actual, '\a'), without(pattern, '\a')))
        return countOf(pattern, '\a') > countOf(actual, '\a') ? "falta el pitido (\\a) de un aviso"
                                                              : "sobra un pitido (\\a)";
    if (matches(withoutBlankLines(actual), withoutBlankLines(pattern)))
        return countOf(pattern, '\n') > countOf(actual, '\n') ? "falta una línea en blanco"
                                                              : "sobra una línea en blanco";
    // The same lines in another order: each line of the output matches a line of the pattern.
    const auto wanted = linesWithEnds(pattern);
    const auto got = linesWithEnds(actual);
    if (wanted.size() == got.size() && wanted.size() <= 200) {
        std::vector<bool> used(wanted.size(), false);
        bool all = true;
        for (size_t i = 0; i < got.size() && all; ++i) {
            bool found = false;
            for (size_t j = 0; j < wanted.size() && !found; ++j)
                if (!used[j] && matches(got[i], wanted[j]))
                    used[j] = found = true;
            all = found;
        }
        if (all)
            return orderHint;
    }
    return {};
}

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
                  const Limits &limits, const Evidence &evidence, const std::string &executable) {
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
            say("el programa terminó por la señal " + signalName(p.actualStatus) + ": " +
                signalTold(p.actualStatus));
            break;
        case Problem::Status:
            say("terminó con estado " + std::to_string(p.actualStatus) + " y debía terminar con " +
                std::to_string(p.expectedStatus));
            break;
        case Problem::SilentWait:
            if (evidence.wait == Evidence::Wait::MoreInput)
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
    // What the case gives the program besides its input, which the difference may come from.
    if (!problems.empty() && !c.arguments.empty()) {
        text += "    Argumentos que da el caso:";
        for (const std::string &argument : c.arguments)
            text += " «" + visible(argument) + "»";
        text += "\n";
    }
    std::string given;
    for (const CaseFile &file : c.files)
        if (!file.folder)
            given += (given.empty() ? " " : ", ") + visible(file.path) + " (" + std::to_string(file.bytes.size()) +
                     " bytes)";
    if (!problems.empty() && !given.empty())
        text += "    Archivos que da el caso, en la carpeta donde se ejecuta:" + given + "\n";
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
    // A crash: what it had shown, and what printf still held, which went with it.
    for (const Problem &p : problems) {
        if (p.kind != Problem::Signal)
            continue;
        if (run.output.empty())
            text += "    No llegó a mostrar nada.\n";
        else
            text += "    Lo último que mostró antes de terminar:\n" +
                    indented(conversationUpTo(run.output, c.input.value_or(""), run.inputAt,
                                              run.output.size() - 1, 4));
        if (!evidence.shownUnbuffered.empty())
            text += "    Mostró menos de lo que escribió: lo que printf aún guardaba en su búfer se perdió "
                    "al terminar así. Con la salida sin búfer, lo último que escribe es:\n" +
                    indented(conversationUpTo(evidence.shownUnbuffered, "", {},
                                              evidence.shownUnbuffered.size() - 1, 3));
        if (!evidence.crashAt.empty())
            text += "    valgrind lo ve terminar en " + evidence.crashAt + ".\n";
        else if (!evidence.valgrindRan)
            text += std::string("    Para ver en qué línea: make check con MEMORIA=1") +
                    (evidence.valgrindThere ? "" : " (necesita valgrind: sudo apt install valgrind)") + ".\n";
        break;
    }
    Explained explained;
    auto hint = [&explained](const std::string &found) {
        if (!found.empty() && std::find(explained.hints.begin(), explained.hints.end(), found) == explained.hints.end())
            explained.hints.push_back(found);
    };
    // Each fault the evidence proves gets its own hint. Once a missing fflush is proved, the run
    // that flushes tells what else is wrong.
    const bool flushed = evidence.wait == Evidence::Wait::NoFlush;
    const std::vector<Problem> &others = flushed ? evidence.unbuffered : problems;
    for (const Problem &p : problems) {
        if (p.kind != Problem::SilentWait)
            continue;
        if (flushed)
            hint("la pregunta no estaba en pantalla cuando el programa se puso a esperar: falta "
                 "fflush(stdout) antes de leer");
        else if (evidence.wait == Evidence::Wait::MoreInput || evidence.wait == Evidence::Wait::ScanfReadsOn)
            hint("¿un scanf con \\n o un espacio al final del formato? Sigue leyendo hasta encontrar "
                 "algo que no sea un blanco, y la pregunta siguiente llega tarde");
        else if (evidence.wait == Evidence::Wait::ReadsFirst)
            hint("también con la salida sin búfer espera antes de mostrar la pregunta: el programa lee "
                 "antes de preguntar (mira el orden de printf y de la lectura)");
        else if (evidence.wait == Evidence::Wait::WaitsUnbuffered)
            hint("también con la salida sin búfer espera antes de mostrar la pregunta: el programa lee "
                 "antes de preguntar (mira el orden de printf y de la lectura), o un scanf con \\n o "
                 "un espacio al final del formato sigue leyendo");
    }
    const bool alone = others.size() == 1;
    for (const Problem &p : others) {
        if (p.kind == Problem::Output)
            hint(outputHint(p.expected, p.actual));
        else if (p.kind == Problem::Pattern && p.mismatch.kind != PatternMismatch::BadPattern)
            hint(patternHint(p.expected, p.actual));
        else if (p.kind == Problem::FileDiffers)
            hint(textHint(p.expected, p.actual, "del archivo "));
        else if (p.kind == Problem::Status && alone)
            hint("solo difiere el estado de salida (el valor que devuelve main o que recibe exit)");
        else if (p.kind == Problem::Errors)
            hint(errorsHint(p.actual, alone));
    }
    for (const std::string &found : explained.hints) {
        const char last = found.back();
        text += "    Pista: " + found + (last == '?' || last == '.' || last == '!' || last == ')' ? "\n" : ".\n");
    }
    explained.text = text;
    return explained;
}
