// The course checker behind `make check`, `make corregir` and `make caso`: runs the cases of
// one program against any executable (a student's own version) and tells, in Spanish, which
// pass, where a failing one differs, and the usual mistake when that is the whole difference.
//
//   comprobar [OPCIONES] PROGRAMA EJECUTABLE          los casos del programa, a un ejecutable
//   comprobar [OPCIONES] --corregir PROGRAMA ENTREGAS una clase: una subcarpeta por alumno
//   comprobar [OPCIONES] --grabar PROGRAMA NOMBRE REFERENCIA [--entrada ARCHIVO]
//             [--argumentos "A B"] [--datos CARPETA] [--archivos "X Y"]
//                                                     graba un caso nuevo con lo que hace
//                                                     el programa de referencia
// OPCIONES:
//   --casos CARPETA       casos (CARPETA/<programa>/<caso>/); se pueden dar varias
//   --casos-ocultos CARPETA
//                         los casos propios del profesor: con --corregir, cada alumno ve solo
//                         su número y en qué difieren (salida, estado, tiempo...)
//   --mostrar-ocultos     con --corregir, los casos del profesor se muestran enteros
//   --alumno CARPETA      con --corregir, vuelve a corregir solo a ese alumno: su fila de
//                         notas.csv y su informe, y nada más
//   --fuente ARCHIVO      compila este fuente (o varios: la opción, repetida) en EJECUTABLE
//                         antes de comprobarlo
//   --fuentes "A B"       lo mismo con una lista separada por blancos (o un solo archivo, si
//                         la lista entera lo nombra), relativa a --origen CARPETA
//   --plataforma ARCHIVO  los datos de la plataforma del curso (tests/platform.txt)
//   --utiles CARPETA      utiles.h y utiles.o, para compilar las entregas (build/wuna)
//   --notas CARPETA       dónde deja --corregir las notas y lo que ve cada alumno
//   --tiempo S --cpu S --memoria MiB --procesos N --salida MiB --disco MiB
//                         los límites de cada ejecución (0: sin límite): la memoria, los
//                         procesos y el disco, de toda la ejecución cuando hay un cgroup
//   --compilacion S       el tiempo de cada compilación (60 s)
//   --trabajos N          entregas que se comprueban a la vez (por omisión, una por procesador)
//   --sin-caja            sin bubblewrap, aunque esté instalado (como root, lo que se ejecuta
//                         pasa a ser el usuario nobody; sin bubblewrap y sin esta opción, root
//                         no corrige)
//   --formato vpl|gradescope --entrega CARPETA [--resultados ARCHIVO]
//                         dentro de la plataforma: compila los fuentes de la entrega en
//                         EJECUTABLE, lo comprueba y da el veredicto en el formato de VPL (la
//                         salida) o de Gradescope (results.json en ARCHIVO; - es la salida)
//   --borrar-casos        con --formato: borra las carpetas de los casos en cuanto los ha leído
//   --tiempo-total S      con --formato: el tiempo de todos los casos juntos, que se reparten
//   --csv-punto           notas.csv con comas entre campos y punto decimal (8.75), no con ; y 8,75
//   --hoja ARCHIVO        --corregir rellena la hoja de calificaciones de la tarea descargada de
//                         la plataforma (hoja-calificaciones.csv, junto a notas.csv)
//   --valgrind            cada caso, también con valgrind: los errores de memoria son fallos
//   --sanitizers          --fuente compila con AddressSanitizer y UBSan: sus errores son fallos
//
// Estado de salida: 0 si pasan todos los casos, 1 si falla alguno, 2 si no se pudo comprobar
// nada (no hay ejecutable, no hay casos). --corregir: 0 si se corrigió a todos, 2 si no.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <type_traits>
#include <vector>

#include "compilar.h"
#include "comprobar.h"
#include "explicar.h"
#include "memoria.h"
#include "plataformas.h"
#include "judge.h"
#include "pattern.h"
#include "run.h"
#include "sandbox.h"

namespace {

const char *const motivos[] = {"la pide TRANSCRIPT_WAIT=quiet",
                               "este sistema no tiene /proc/<pid>/syscall",
                               "aquí no se puede leer /proc/<pid>/syscall",
                               "/proc/<pid>/syscall no mostró la lectura de una prueba"};

void waitModeLine(FILE *report) {
    if (waitMode().exact)
        fprintf(report, "Conversación exacta: se ve cuándo el programa se pone a leer su entrada.\n");
    else
        fprintf(report,
                "Conversación aproximada (%s): cada línea se da cuando el programa ha leído toda "
                "su entrada y lleva %d ms sin escribir nada.\n",
                motivos[waitMode().reason], quietMilliseconds);
}

bool preloadReaches(const fs::path &program);

// Why a case is not checked with another executable, or empty.
// Without an executable (the cases planned for a class), what no program of this system runs.
std::string skipped(const Case &c, const Settings &settings, const fs::path &executable = {}) {
    if (!c.driver.empty())
        return "lo ejecuta un programa de pruebas del curso (" + c.driver + ")";
    if (const std::string device = missingDevice(c); !device.empty())
        return "este sistema no tiene " + device;
    if (const std::string fact = unmetPlatformFact(c, settings.platform); !fact.empty())
        return "vale donde " + fact + ", y aquí no";
    // The seek failures need the failcall preload, which reaches only a program the dynamic
    // loader of this system starts.
    if (!c.failCall.empty() && getenv("TRANSCRIPT_FAILCALL") == nullptr)
        return "provoca un fallo de " + c.failCall.substr(0, c.failCall.find(' ')) +
               " con una biblioteca de pruebas del curso que este sistema no tiene";
    if (!c.failCall.empty() && !executable.empty() && !preloadReaches(executable))
        return "provoca un fallo de " + c.failCall.substr(0, c.failCall.find(' ')) +
               " con una biblioteca de pruebas del curso, que no llega a un programa enlazado "
               "estáticamente o hecho para otro sistema";
    return {};
}

// A library of the checker's own that the dynamic loader preloads into a program: beside the
// checker in the build, and only where glibc is (empty elsewhere).
fs::path preloadLibrary(const char *name) {
    std::error_code ec;
    const fs::path path = fs::canonical("/proc/self/exe", ec).parent_path() / (std::string(name) + ".so");
    return !ec && fs::is_regular_file(path, ec) ? path : fs::path{};
}

// Whether a preload reaches a program: an executable of this machine's own kind (its ELF class
// and architecture) that the dynamic loader starts. A program linked statically, or built for
// another system, runs without it.
bool preloadReaches(const fs::path &program) {
    static fs::path known;
    static bool answer = false;
    if (program == known)
        return answer;
    known = program;
    const std::string self = readFile("/proc/self/exe", 64).value_or("");
    const std::string head = readFile(program, 64).value_or("");
    auto number = [&head](size_t at, size_t bytes) {
        unsigned long value = 0;
        for (size_t i = bytes; i-- > 0;)
            value = value << 8 | static_cast<unsigned char>(head[at + i]);
        return value;
    };
    answer = false;
    if (head.size() < 64 || self.size() < 64 || head.compare(0, 4, "\x7f" "ELF") != 0 ||
        head.compare(0, 6, self, 0, 6) != 0 || head.compare(18, 2, self, 18, 2) != 0 || head[5] != 1)
        return answer;
    const bool wide = head[4] == 2;
    const unsigned long table = wide ? number(0x20, 8) : number(0x1c, 4);
    const unsigned long size = number(wide ? 0x36 : 0x2a, 2), count = number(wide ? 0x38 : 0x2c, 2);
    if (size < 4 || count > 256 || table > (1UL << 20))
        return answer;
    const std::string headers = readFile(program, table + size * count).value_or("");
    for (unsigned long i = 0; i < count && table + size * (i + 1) <= headers.size(); ++i)
        if (static_cast<unsigned char>(headers[table + size * i]) == 3 && headers[table + size * i + 1] == 0 &&
            headers[table + size * i + 2] == 0 && headers[table + size * i + 3] == 0)  // PT_INTERP
            answer = true;
    return answer;
}

RunOptions optionsFor(const Case &c, const Settings &settings, const fs::path &executable) {
    RunOptions options;
    options.conversation = !c.batch;
    options.limits = settings.limits;
    options.sandbox = settings.sandbox && sandboxAvailable();
    options.confined = true;
    // Under valgrind a program runs some twenty times slower.
    if (!settings.valgrind.empty()) {
        options.wrapper = settings.valgrind;
        options.wrapperLog = true;
        options.limits.wallSeconds *= 10;
        options.limits.cpuSeconds *= 10;
        // valgrind gives the program its path as its name: the case's name is given back.
        if (const fs::path naming = preloadLibrary("nombre"); !naming.empty() && preloadReaches(executable)) {
            options.preloads.push_back(naming);
            options.environment.push_back("CURSO_PROGRAMA=" + executable.string());
            options.environment.push_back("CURSO_ARGV0=" + c.argv0.value_or(executable.filename().string()));
        }
    }
    // Built with the sanitizers, the course's programs keep what the course says they keep: a
    // leak report is no fault of theirs. The preloads come before the sanitizer's library.
    options.environment.push_back("ASAN_OPTIONS=detect_leaks=0:verify_asan_link_order=0");
    if (settings.sanitizers)
        options.environment.push_back(sanitizerOptions);
    return options;
}

// Whether the sources have a scanf whose format ends in a blank or a \n, which reads on until
// something that is not a blank comes.
bool scanfReadsOn(const std::vector<fs::path> &sources) {
    static const std::regex scanf(R"re(\bf?scanf\s*\((\s*stdin\s*,)?\s*"([^"\\]|\\.)*(\\n|\\t| )"\s*[,)])re");
    for (const fs::path &source : sources)
        if (std::regex_search(readFile(source, 1 << 20).value_or(""), scanf))
            return true;
    return false;
}

// Runs a failing case again to learn the cause of what went wrong, before anything is said of
// it: with standard output unbuffered for a silent wait or a crash, and under valgrind for a
// crash (when it is there and the case did not run under it already).
Evidence gatherEvidence(const Case &c, const Run &run, const std::vector<Problem> &problems,
                        const fs::path &executable, const Settings &settings, const MemoryReport &memory) {
    Evidence evidence;
    const bool crashed = std::any_of(problems.begin(), problems.end(),
                                     [](const Problem &p) { return p.kind == Problem::Signal; });
    if (!run.silentWait && !crashed)
        return evidence;
    const size_t lines = linesWithEnds(c.input.value_or("")).size();
    const fs::path unbuffering = preloadLibrary("sinbufer");
    Settings plain = settings;  // the evidence runs without valgrind
    plain.valgrind.clear();
    if (!unbuffering.empty() && preloadReaches(executable)) {
        RunOptions options = optionsFor(c, plain, executable);
        options.preloads.push_back(unbuffering);
        const Run again = runCase(executable, c, options);
        if (again.started && run.silentWait) {
            if (!again.silentWait) {
                evidence.wait = Evidence::Wait::NoFlush;
                evidence.unbuffered = judge(c, again);
            } else if (lines > 0 && static_cast<size_t>(again.silentWaitInputLine) > lines) {
                evidence.wait = Evidence::Wait::MoreInput;
            } else if (settings.sources.empty()) {
                evidence.wait = Evidence::Wait::WaitsUnbuffered;
            } else {
                evidence.wait = scanfReadsOn(settings.sources) ? Evidence::Wait::ScanfReadsOn
                                                               : Evidence::Wait::ReadsFirst;
            }
        }
        if (again.started && crashed && again.output.size() > run.output.size())
            evidence.shownUnbuffered = again.output;
        cleanUp(again, false, settings.limits);
    } else if (run.silentWait) {
        // No preload reaches it: the input given at once. Right output then, only the prompt
        // was late.
        if (static_cast<size_t>(run.silentWaitInputLine) > lines) {
            evidence.wait = Evidence::Wait::MoreInput;
        } else {
            RunOptions options = optionsFor(c, plain, executable);
            options.conversation = false;
            const Run again = runCase(executable, c, options);
            if (again.started && judge(c, again).empty())
                evidence.wait = Evidence::Wait::NoFlush;
            cleanUp(again, false, settings.limits);
        }
    }
    if (crashed) {
        const std::vector<std::string> valgrind = valgrindCommand();
        evidence.valgrindThere = !valgrind.empty();
        if (!settings.valgrind.empty()) {
            evidence.valgrindRan = true;
            evidence.crashAt = memory.crashAt;
        } else if (evidence.valgrindThere && preloadReaches(executable)) {
            // (A script, or a program for another system, has no line of its own to name.)
            Settings under = settings;
            under.valgrind = valgrind;
            const Run again = runCase(executable, c, optionsFor(c, under, executable));
            evidence.valgrindRan = again.started;
            evidence.crashAt = readValgrind(again.wrapperLog).crashAt;
            cleanUp(again, false, settings.limits);
        }
    }
    return evidence;
}

// The kinds of difference of a failed case, in a word or two each: all a student is told of a
// hidden case.
std::string differenceKinds(const std::vector<Problem> &problems, bool memoryErrors) {
    std::vector<std::string> kinds;
    auto add = [&kinds](const char *kind) {
        if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end())
            kinds.push_back(kind);
    };
    for (const Problem &p : problems) {
        switch (p.kind) {
        case Problem::CannotStart: add("no arranca"); break;
        case Problem::WallTime:
        case Problem::CpuTime: add("tiempo"); break;
        case Problem::TooMuchOutput:
        case Problem::TooMuchErrors: add("demasiada salida"); break;
        case Problem::Memory: add("memoria"); break;
        case Problem::Disk: add("disco"); break;
        case Problem::Signal: add("se cae"); break;
        case Problem::Status: add("estado"); break;
        case Problem::SilentWait: add("espera sin preguntar"); break;
        case Problem::Output:
        case Problem::Pattern: add("salida"); break;
        case Problem::Errors: add("salida de errores"); break;
        case Problem::FileMissing:
        case Problem::FileNotRegular:
        case Problem::FileDiffers:
        case Problem::FilePresent: add("archivos"); break;
        }
    }
    if (memoryErrors)
        add("memoria");
    std::string joined;
    for (const std::string &kind : kinds)
        joined += (joined.empty() ? "" : ", ") + kind;
    return joined;
}

// The main reason a case failed, for the teacher's notas.csv: the first problem, which the
// judge gives in order of weight.
std::string failureOf(const std::vector<Problem> &problems, bool memoryErrors) {
    if (problems.empty())
        return memoryErrors ? "errores de memoria" : "falla";
    switch (problems.front().kind) {
    case Problem::CannotStart:
        return problems.front().execError == ENOEXEC ? "no arranca (no es un programa de este ordenador)"
                                                     : "no arranca";
    case Problem::WallTime: return "se para por tiempo";
    case Problem::CpuTime: return "se para por tiempo de cálculo";
    case Problem::TooMuchOutput:
    case Problem::TooMuchErrors: return "escribe sin parar";
    case Problem::Memory: return "pasa del límite de memoria";
    case Problem::Disk: return "llena el disco";
    case Problem::Signal: return "se cae";
    case Problem::Status: return "acaba con otro estado";
    case Problem::SilentWait: return "espera sin mostrar la pregunta";
    case Problem::Output:
    case Problem::Pattern: return "la salida difiere";
    case Problem::Errors: return "la salida de errores difiere";
    default: return "los archivos difieren";
    }
}

// What is wrong with a case, from the engine's reason, in the teacher's words.
std::string caseFault(const std::string &why) {
    const auto has = [&why](const char *part) { return why.find(part) != std::string::npos; };
    const auto after = [&why](const char *part) { return why.substr(why.find(part) + strlen(part)); };
    if (has("holds an unknown file: "))
        return "tiene un archivo que ningún caso lleva: " + after("holds an unknown file: ");
    if (has("has no expected output"))
        return "le falta la salida esperada, stdout o stdout.pat";
    if (has("has both stdout and stdout.pat"))
        return "tiene a la vez stdout y stdout.pat";
    if (has("its status is no exit status"))
        return "su status no es un número de 0 a 255";
    if (has("its fail file must say"))
        return "su fail debe decir «fseek N» o «ftell N»";
    if (has("a line of links is not"))
        return "una línea de links no es NOMBRE -> DESTINO";
    if (has("symbolic links"))
        return "tiene enlaces simbólicos entre sus archivos: se hacen con un archivo links";
    if (has("but is no folder"))
        return "es un archivo, y ahí solo van carpetas de casos";
    return "no se puede leer";
}

bool parseNumber(const char *text, double &value) {
    char *end = nullptr;
    errno = 0;
    value = strtod(text, &end);
    return errno == 0 && end != text && *end == '\0' && value >= 0;
}

void usage(const char *name) {
    fprintf(stderr,
            "uso: %s [OPCIONES] PROGRAMA EJECUTABLE\n"
            "     %s [OPCIONES] --corregir PROGRAMA ENTREGAS\n"
            "     %s [OPCIONES] --grabar PROGRAMA NOMBRE REFERENCIA [--entrada ARCHIVO]\n"
            "          [--argumentos \"A B\"] [--datos CARPETA] [--archivos \"X Y\"]\n"
            "OPCIONES: --casos CARPETA, --casos-ocultos CARPETA, --mostrar-ocultos, --alumno CARPETA,\n"
            "          --plataforma ARCHIVO, --utiles CARPETA, --notas CARPETA,\n"
            "          --tiempo S, --cpu S, --memoria MiB, --procesos N, --salida MiB,\n"
            "          --disco MiB, --compilacion S, --trabajos N, --sin-caja, --csv-punto, --hoja ARCHIVO,\n"
            "          --formato vpl|gradescope, --entrega CARPETA, --resultados ARCHIVO,\n"
            "          --borrar-casos, --tiempo-total S\n",
            name, name, name);
}

// Words of a text split at blanks: the arguments and file names of --grabar.
std::vector<std::string> words(const std::string &text) {
    std::vector<std::string> found;
    size_t start = 0;
    while ((start = text.find_first_not_of(" \t", start)) != std::string::npos) {
        const size_t end = text.find_first_of(" \t", start);
        found.push_back(text.substr(start, end - start));
        start = end;
    }
    return found;
}

bool writeText(const fs::path &path, const std::string &text) {
    FILE *file = fopen(path.c_str(), "wb");
    const bool written = file != nullptr && fwrite(text.data(), 1, text.size(), file) == text.size();
    return (file != nullptr && fclose(file) == 0) && written;
}

// make caso: runs the reference program on the input and keeps what it does as a new case.
int record(const std::string &program, const std::string &name, const fs::path &reference,
           const std::string &inputFile, const std::string &arguments, const std::string &data,
           const std::string &written, const Settings &settings) {
    if (settings.caseRoots.empty()) {
        printf("Falta la carpeta de los casos nuevos (CASOS=<carpeta>).\n");
        return 2;
    }
    const fs::path folder = settings.caseRoots.front() / program / name;
    std::error_code ec;
    if (fs::exists(folder, ec)) {
        printf("Ya hay un caso %s: elige otro nombre, o bórralo antes.\n", folder.c_str());
        return 2;
    }
    if (access(reference.c_str(), X_OK) != 0) {
        printf("%s no es un programa ejecutable: compílalo primero.\n", reference.c_str());
        return 2;
    }
    Case c;
    c.folder = folder;
    c.name = name;
    c.group = program;
    c.arguments = words(arguments);
    if (!inputFile.empty()) {
        const auto input = readFile(inputFile);
        if (!input) {
            printf("No se puede leer la entrada %s.\n", inputFile.c_str());
            return 2;
        }
        c.input = *input;
    }
    if (!data.empty()) {
        // The data folder's files become the case's files/.
        for (auto entry = fs::recursive_directory_iterator(data, ec);
             !ec && entry != fs::recursive_directory_iterator(); entry.increment(ec)) {
            CaseFile file;
            file.path = fs::relative(entry->path(), data, ec).string();
            file.folder = entry->is_directory();
            if (!file.folder)
                file.bytes = readFile(entry->path()).value_or("");
            c.files.push_back(file);
        }
        if (ec) {
            printf("No se puede leer la carpeta de datos %s: %s\n", data.c_str(), ec.message().c_str());
            return 2;
        }
    }
    RunOptions options = optionsFor(c, settings, reference);
    options.conversation = true;
    Run run = runCase(reference, c, options);
    if (!run.started || !run.finished) {
        printf("El programa de referencia no terminó bien (%s): no se graba nada.\n",
               run.started ? "se paró en un límite" : run.setupError.c_str());
        cleanUp(run, false, settings.limits);
        return 2;
    }
    // A program that reads without showing a question first gets its input at once.
    if (run.silentWait) {
        cleanUp(run, false, settings.limits);
        c.batch = true;
        options.conversation = false;
        run = runCase(reference, c, options);
    }
    // The same run twice must give the same bytes, or the case would fail on its own program;
    // numbers that change from run to run (addresses) become the placeholders of a stdout.pat.
    const Run again = runCase(reference, c, options);
    std::optional<std::string> pattern;
    if (again.output != run.output)
        pattern = patternOfTwoRuns(run.output, again.output);
    const bool same = (again.output == run.output || pattern) && again.errors == run.errors &&
                      again.status == run.status;
    cleanUp(again, false, settings.limits);
    if (!same) {
        printf("La salida cambia de una ejecución a otra en algo más que sus números: no se puede "
               "grabar como caso.\n");
        cleanUp(run, false, settings.limits);
        return 2;
    }
    fs::create_directories(folder, ec);
    bool ok = !ec;
    if (c.input)
        ok = ok && writeText(folder / "stdin", *c.input);
    if (!c.arguments.empty()) {
        std::string lines;
        for (const std::string &argument : c.arguments)
            lines += argument + "\n";
        ok = ok && writeText(folder / "args", lines);
    }
    ok = ok && (pattern ? writeText(folder / "stdout.pat", *pattern) : writeText(folder / "stdout", run.output));
    if (!run.errors.empty())
        ok = ok && writeText(folder / "stderr", run.errors);
    if (run.status != 0)
        ok = ok && writeText(folder / "status", std::to_string(run.status) + "\n");
    if (c.batch)
        ok = ok && writeText(folder / "batch",
                             "La entrada se da de una vez: el programa lee sin mostrar antes una pregunta.\n");
    for (const CaseFile &file : c.files) {
        const fs::path path = folder / "files" / file.path;
        fs::create_directories(file.folder ? path : path.parent_path(), ec);
        ok = ok && !ec && (file.folder || writeText(path, file.bytes));
    }
    for (const std::string &name : words(written)) {
        const auto bytes = readFile(run.scratch / "work" / name);
        if (!bytes) {
            printf("El programa de referencia no escribió %s.\n", name.c_str());
            ok = false;
            continue;
        }
        fs::create_directories((folder / "expect" / name).parent_path(), ec);
        ok = ok && !ec && writeText(folder / "expect" / name, *bytes);
    }
    cleanUp(run, false, settings.limits);
    if (!ok) {
        printf("No se pudo escribir el caso en %s.\n", folder.c_str());
        return 2;
    }
    printf("Caso grabado en %s (estado %d, %zu bytes de salida%s%s).\n", folder.c_str(), run.status,
           run.output.size(), c.batch ? ", entrada de una vez" : "",
           pattern ? ", con marcadores para los números que cambian" : "");
    return 0;
}

}  // namespace

RunOptions compileBox(const Settings &settings) {
    RunOptions box;
    box.limits = settings.compileLimits;
    box.sandbox = settings.sandbox && sandboxAvailable();
    box.confined = true;
    return box;
}

std::string boundsLine(const Limits &limits) {
    const std::string memory = limits.memoryMiB > 0 ? std::to_string(limits.memoryMiB) + " MiB de memoria" : "memoria sin límite";
    const std::string processes = limits.processes > 0 ? std::to_string(limits.processes) + " procesos" : "procesos sin límite";
    const std::string disk = limits.diskBytes > 0 ? std::to_string(limits.diskBytes >> 20) + " MiB de disco" : "disco sin límite";
    const Bounding how = bounding();
    if (how != Bounding::PerProcess)
        return "Límites de cada ejecución, para todos sus procesos juntos (un cgroup " +
               std::string(how == Bounding::CgroupV2 ? "v2" : "v1") + "): " + memory + ", " + processes + ", " +
               disk + "; " + std::to_string(limits.cpuSeconds) + " s de procesador cada proceso.\n";
    std::string worst;
    if (limits.memoryMiB > 0 && limits.processes > 0)
        worst = " (entre todos, hasta " + std::to_string(limits.memoryMiB * limits.processes) + " MiB)";
    return "Límites de cada ejecución, proceso a proceso (aquí no hay un cgroup para este usuario): " + memory +
           " cada uno, " + processes + " más de los que ya tiene su usuario" + worst + ", " + disk + "; " +
           std::to_string(limits.cpuSeconds) + " s de procesador cada proceso.\n";
}

std::string notCompiled(const Compiled &compiled) {
    std::string told = "Tu programa no compila. El primer error del compilador:\n" + indented(compiled.firstError);
    if (!compiled.explanation.empty())
        told += "    Qué quiere decir: " + compiled.explanation + (compiled.explanation.back() == '?' ? "\n" : ".\n");
    return told;
}

Loaded loadCases(const std::string &program, const Settings &settings) {
    Loaded loaded;
    for (const auto *roots : {&settings.caseRoots, &settings.hiddenRoots}) {
        for (const fs::path &root : *roots) {
            for (const Listed &entry : listCases(root)) {
                if (entry.group != program)
                    continue;
                Case c;
                std::string why = entry.error;
                if (why.empty() && loadCase(entry.folder, c, why)) {
                    loaded.cases.push_back(std::move(c));
                    loaded.hidden.push_back(roots == &settings.hiddenRoots);
                } else {
                    loaded.broken.push_back(entry.name + ": " + why);
                }
            }
        }
    }
    return loaded;
}

std::string wrongTeacherCases(const std::string &program, const Settings &settings) {
    for (const fs::path &root : settings.hiddenRoots) {
        std::error_code ec;
        const std::string named = "CASOS=" + root.string();
        if (!fs::is_directory(root, ec))
            return named + ": no existe esa carpeta.";
        int found = 0;
        for (const Listed &entry : listCases(root)) {
            if (entry.group != program)
                continue;
            ++found;
            Case c;
            std::string why = entry.error;
            if (why.empty() && loadCase(entry.folder, c, why))
                continue;
            return named + ": el caso " + program + "/" + entry.name + " está mal formado (" +
                   caseFault(why) + ").";
        }
        if (found > 0)
            continue;
        // One level too deep (the program's own folder) or two (a case's).
        const auto isCase = [&ec](const fs::path &folder) {
            return fs::exists(folder / "stdout", ec) || fs::exists(folder / "stdout.pat", ec);
        };
        bool tooDeep = root.filename() == program || isCase(root);
        for (const auto &entry : fs::directory_iterator(root, ec))
            tooDeep = tooDeep || isCase(entry.path());
        if (tooDeep)
            return named + ": no tiene casos de «" + program + "»; parece la carpeta de un programa o de un "
                           "caso (un nivel de más): CASOS es la carpeta que contiene " + program + "/.";
        return named + ": no tiene casos de «" + program + "» (van en " + program + "/<caso>/ dentro de ella).";
    }
    return {};
}

Planned plannedCases(const Loaded &loaded, const Settings &settings) {
    Planned planned;
    planned.course = static_cast<int>(loaded.broken.size());
    for (size_t i = 0; i < loaded.cases.size(); ++i)
        if (skipped(loaded.cases[i], settings).empty())
            ++(loaded.hidden[i] ? planned.hidden : planned.course);
    return planned;
}

Tally checkExecutable(const std::string &program, const fs::path &executable, const Loaded &loaded,
                      const Settings &settings, FILE *report) {
    Tally tally;
    fprintf(report, "Casos de «%s» con %s\n", program.c_str(),
            settings.shownAs.empty() ? executable.c_str() : settings.shownAs.c_str());
    waitModeLine(report);
    if (!settings.valgrind.empty())
        fprintf(report, "Memoria: cada caso se ejecuta con valgrind, que busca errores de memoria (tarda más).\n");
    else if (settings.sanitizers)
        fprintf(report, "Memoria: tu programa se compila con AddressSanitizer y UBSan, que buscan errores de "
                        "memoria y cálculos que C no define.\n");
    else if (settings.valgrindWanted)
        fprintf(report, "MEMORIA=1 necesita valgrind, que no está instalado (Debian y Ubuntu: sudo apt "
                        "install valgrind): se comprueba sin él.\n");
    // Each case's verdict is also kept whole, for the platforms' own formats.
    auto tell = [&](const std::string &name, bool hidden, bool passed, const std::string &told) {
        fputs(told.c_str(), report);
        fflush(report);
        tally.cases.push_back({name, hidden, passed, told});
    };
    for (const std::string &broken : loaded.broken) {
        ++tally.checked;
        tally.failures.push_back("un caso del curso está mal formado");
        tell(broken, false, false, "✗ " + broken + "\n    el caso está mal formado\n");
    }
    int hiddenNumber = 0;
    const auto started = std::chrono::steady_clock::now();
    size_t left = loaded.cases.size();
    for (size_t i = 0; i < loaded.cases.size(); ++i, --left) {
        const Case &c = loaded.cases[i];
        // The teacher's cases are told by their number alone, and only the kind of difference.
        const bool hidden = loaded.hidden[i] && !settings.showHidden;
        const std::string label = loaded.hidden[i] ? "caso oculto " + std::to_string(++hiddenNumber) : c.name;
        const std::string shown = hidden ? label : c.name;
        if (const std::string why = skipped(c, settings, executable); !why.empty()) {
            fprintf(report, "- %s: se omite, %s\n", hidden ? label.c_str() : c.name.c_str(),
                    hidden ? "no se puede comprobar aquí" : why.c_str());
            continue;
        }
        ++tally.checked;
        tally.hiddenChecked += loaded.hidden[i];
        RunOptions options = optionsFor(c, settings, executable);
        // A platform's time for all the cases together is shared among those still to run.
        if (settings.budgetSeconds > 0) {
            const double spent = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
            const double share = (settings.budgetSeconds - spent) / static_cast<double>(left);
            if (share < 0.5) {
                tally.failures.push_back("se acabó el tiempo de la corrección");
                tell(shown, hidden, false, "✗ " + shown + "\n    no se ejecutó: se acabó el tiempo de la corrección\n");
                continue;
            }
            if (options.limits.wallSeconds <= 0 || share < options.limits.wallSeconds)
                options.limits.wallSeconds = share;
        }
        const Run run = runCase(executable, c, options);
        tally.seconds += run.seconds;
        if (!run.started) {
            tally.failures.push_back("no se pudo preparar la prueba");
            tell(shown, hidden, false, "✗ " + shown + "\n    no se pudo preparar la prueba" +
                                           (hidden ? std::string() : ": " + run.setupError) + "\n");
            cleanUp(run, false, settings.limits);
            continue;
        }
        // The sanitizers write their report on standard error, and stop the program there: the
        // case is judged without it, and without the end the sanitizer gave it.
        MemoryReport memory = readValgrind(run.wrapperLog);
        Run judged = run;
        // Under valgrind a program starts slowly: without the exact view of its reads, that
        // pause would look like a wait without the question.
        if (!settings.valgrind.empty() && !waitMode().exact)
            judged.silentWait = false;
        if (settings.sanitizers)
            memory = readSanitizers(run.errors, judged.errors);
        auto problems = judge(c, judged);
        if (settings.sanitizers && !memory.errors.empty())
            problems.erase(std::remove_if(problems.begin(), problems.end(),
                                          [](const Problem &p) {
                                              return p.kind == Problem::Status || p.kind == Problem::Signal ||
                                                     p.kind == Problem::Errors;
                                          }),
                           problems.end());
        std::string memoryTold;
        for (const std::string &error : memory.errors)
            memoryTold += "    error de memoria: " + error + "\n";
        if (!memory.note.empty())
            memoryTold += "    Nota: " + memory.note + ".\n";
        if (problems.empty() && memory.errors.empty()) {
            ++tally.passed;
            tally.hiddenPassed += loaded.hidden[i];
            tell(shown, hidden, true,
                 hidden ? shown + ": ✓\n" : "✓ " + c.name + " (" + seconds(run.seconds) + ")\n" + memoryTold);
            cleanUp(run, false, settings.limits);
            continue;
        }
        const std::string kinds = differenceKinds(problems, !memory.errors.empty());
        tally.failures.push_back(failureOf(problems, !memory.errors.empty()));
        if (hidden) {
            tell(shown, hidden, false, shown + ": ✗ (" + kinds + ")\n");
            cleanUp(run, false, settings.limits);
            continue;
        }
        const Evidence evidence = gatherEvidence(c, judged, problems, executable, settings, memory);
        std::string told = "✗ " + c.name + " (" + seconds(run.seconds) + ")\n" +
                           (problems.empty() ? ""
                                             : explain(c, judged, problems, settings.limits, evidence, executable.string()).text) +
                           memoryTold;
        if (cleanUp(run, settings.keepScratch, settings.limits))
            told += "    (la carpeta de la prueba queda en " + run.scratch.string() + ")\n";
        tell(c.name, hidden, false, told);
    }
    fprintf(report, "%d de %d casos correctos\n", tally.passed, tally.checked);
    return tally;
}

int main(int argc, char **argv) {
    if (argc >= 4 && strcmp(argv[1], execAsOption) == 0)
        return execAs(argv);
    signal(SIGPIPE, SIG_IGN);
    // The cases' seek failures, with the build's failcall library beside the checker.
    if (const fs::path failcall = preloadLibrary("failcall"); !failcall.empty())
        setenv("TRANSCRIPT_FAILCALL", failcall.c_str(), 0);
    Settings settings;
    std::vector<std::string> positional;
    std::string mode, inputFile, arguments, data, written;
    fs::path origin = fs::current_path();
    std::string sourceList;
    PlatformRun platform;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        double number = 0;
        auto limit = [&](double scale, auto &into) {
            if (!hasValue || !parseNumber(argv[i + 1], number))
                return false;
            into = static_cast<std::remove_reference_t<decltype(into)>>(number * scale);
            ++i;
            return true;
        };
        if (option == "--corregir" || option == "--grabar") {
            mode = option;
        } else if (option == "--formato" && hasValue) {
            platform.format = argv[++i];
            if (platform.format != "vpl" && platform.format != "gradescope") {
                usage(argv[0]);
                return 2;
            }
        } else if (option == "--entrega" && hasValue) {
            platform.submission = fs::absolute(argv[++i]);
        } else if (option == "--resultados" && hasValue) {
            platform.results = argv[++i];
        } else if (option == "--borrar-casos") {
            platform.deleteCases = true;
        } else if (option == "--tiempo-total" && limit(1, settings.budgetSeconds)) {
        } else if (option == "--csv-punto") {
            settings.csv = {',', '.'};
        } else if (option == "--hoja" && hasValue) {
            settings.worksheet = fs::absolute(argv[++i]);
        } else if (option == "--sin-caja") {
            settings.sandbox = false;
        } else if (option == "--sanitizers") {
            settings.sanitizers = true;
        } else if (option == "--valgrind") {
            settings.valgrindWanted = true;
            settings.valgrind = valgrindCommand();
        } else if (option == "--casos" && hasValue) {
            settings.caseRoots.push_back(fs::absolute(argv[++i]));
        } else if (option == "--casos-ocultos" && hasValue) {
            settings.hiddenRoots.push_back(fs::absolute(argv[++i]).lexically_normal());
        } else if (option == "--mostrar-ocultos") {
            settings.showHidden = true;
        } else if (option == "--alumno" && hasValue) {
            settings.student = argv[++i];
        } else if (option == "--plataforma" && hasValue) {
            settings.platform = argv[++i];
        } else if (option == "--utiles" && hasValue) {
            settings.library = fs::absolute(argv[++i]);
        } else if (option == "--notas" && hasValue) {
            settings.output = fs::absolute(argv[++i]);
        } else if (option == "--fuente" && hasValue) {
            settings.sources.push_back(fs::absolute(argv[++i]));
        } else if (option == "--origen" && hasValue) {
            origin = argv[++i];
        } else if (option == "--fuentes" && hasValue) {
            sourceList = argv[++i];
        } else if (option == "--entrada" && hasValue) {
            inputFile = argv[++i];
        } else if (option == "--argumentos" && hasValue) {
            arguments = argv[++i];
        } else if (option == "--datos" && hasValue) {
            data = argv[++i];
        } else if (option == "--archivos" && hasValue) {
            written = argv[++i];
        } else if ((option == "--tiempo" && limit(1, settings.limits.wallSeconds)) ||
                   (option == "--cpu" && limit(1, settings.limits.cpuSeconds)) ||
                   (option == "--memoria" && limit(1, settings.limits.memoryMiB)) ||
                   (option == "--procesos" && limit(1, settings.limits.processes)) ||
                   (option == "--salida" && limit(1 << 20, settings.limits.outputBytes)) ||
                   (option == "--disco" && limit(1 << 20, settings.limits.diskBytes)) ||
                   (option == "--compilacion" && limit(1, settings.compileLimits.wallSeconds)) ||
                   (option == "--trabajos" && limit(1, settings.jobs))) {
        } else if (option.rfind("--", 0) == 0) {
            usage(argv[0]);
            return 2;
        } else {
            positional.push_back(option);
        }
    }
    // A program built with the sanitizers does not run under valgrind: valgrind is the one asked for.
    if (!settings.valgrind.empty())
        settings.sanitizers = false;
    // --fuentes "a.c b.c", from make's FUENTE: a list of files split at blanks, unless the whole
    // of it names one file (a folder with spaces); relative to the folder make was typed in.
    if (!sourceList.empty()) {
        std::error_code ec;
        const fs::path whole = origin / sourceList;
        if (fs::is_regular_file(whole, ec))
            settings.sources.push_back(whole.lexically_normal());
        else
            for (const std::string &word : words(sourceList))
                settings.sources.push_back((origin / word).lexically_normal());
    }
    if (mode == "--grabar") {
        if (positional.size() != 3) {
            usage(argv[0]);
            return 2;
        }
        return record(positional[0], positional[1], fs::absolute(positional[2]), inputFile,
                      arguments, data, written, settings);
    }
    if (positional.size() != 2) {
        usage(argv[0]);
        return 2;
    }
    // The compile's processor time follows its time; as root, nothing unread runs without a box
    // unless the teacher said so.
    settings.compileLimits.cpuSeconds = static_cast<int>(settings.compileLimits.wallSeconds);
    if (geteuid() == 0 && settings.sandbox && !sandboxAvailable()) {
        printf("Como root no se ejecuta nada de un alumno sin caja de arena, y bubblewrap no está instalado o "
               "no puede funcionar aquí (Debian y Ubuntu: sudo apt install bubblewrap). SIN_CAJA=1 lo "
               "ejecuta sin ella, como el usuario nobody.\n");
        return 2;
    }
    // As root, what runs in the box is nobody's, and bubblewrap reaches its folder by its path.
    if (boxUser().drop && settings.sandbox) {
        if (const std::string closed = closedToBoxUser(temporaryFolder()); !closed.empty()) {
            printf("Como root, lo que se ejecuta en la caja de arena pasa a ser del usuario nobody, que no puede "
                   "entrar en %s, donde está la carpeta temporal (%s): corrige desde una carpeta a la que "
                   "pueda llegar cualquier usuario, o da otra carpeta temporal con TMPDIR.\n",
                   closed.c_str(), temporaryFolder().c_str());
            return 2;
        }
    }
    if (mode == "--corregir")
        return gradeClass(positional[0], fs::absolute(positional[1]), settings);
    if (!platform.format.empty()) {
        if (platform.submission.empty() || (platform.format == "gradescope" && platform.results.empty())) {
            usage(argv[0]);
            return 2;
        }
        return checkOnPlatform(platform, positional[0], fs::absolute(positional[1]), settings);
    }

    const std::string program = positional[0];
    const fs::path executable = fs::absolute(positional[1]);
    // make check on one's own cases: they are one's own, and shown in full.
    settings.showHidden = true;
    std::error_code ec;
    // make check FUENTE=: the student's sources become the executable checked.
    if (!settings.sources.empty()) {
        for (const fs::path &source : settings.sources)
            if (!fs::is_regular_file(source, ec)) {
                printf("No encuentro el archivo %s (FUENTE se lee desde la carpeta donde escribes make).\n",
                       source.c_str());
                return 2;
            }
        printf("Compilando %s...\n", settings.sources.size() == 1 ? settings.sources[0].filename().c_str()
                                                                  : "tus fuentes");
        const Compiled compiled = compile(settings.sources, executable, settings.library, compileBox(settings),
                                          settings.sanitizers ? sanitizerFlags() : std::vector<std::string>{});
        if (!compiled.ok) {
            printf("%s", notCompiled(compiled).c_str());
            return 2;
        }
        settings.shownAs = "tu programa (" + settings.sources[0].filename().string() +
                           (settings.sources.size() > 1 ? " y los demás" : "") + ")";
        if (const std::string warnings = warningsOf(compiled.log); !warnings.empty())
            printf("El compilador avisa de algo (léelo: suele ser un error a punto de ocurrir):\n%s",
                   indented(warnings).c_str());
    }
    if (!fs::is_regular_file(executable, ec) || access(executable.c_str(), X_OK) != 0) {
        printf("%s no es un programa ejecutable: compílalo primero (o revisa la ruta de EXE).\n",
               positional[1].c_str());
        return 2;
    }
    if (const std::string wrong = wrongTeacherCases(program, settings); !wrong.empty()) {
        printf("%s\n", wrong.c_str());
        return 2;
    }
    const Loaded loaded = loadCases(program, settings);
    if (loaded.cases.empty() && loaded.broken.empty()) {
        printf("El curso no tiene casos de «%s» (make list muestra los programas).\n", program.c_str());
        return 2;
    }
    printf("%s", boundsLine(settings.limits).c_str());
    const Tally tally = checkExecutable(program, executable, loaded, settings, stdout);
    if (tally.checked == 0) {
        printf("Ningún caso de «%s» se puede comprobar con otro ejecutable.\n", program.c_str());
        return 2;
    }
    return tally.passed == tally.checked ? 0 : 1;
}
