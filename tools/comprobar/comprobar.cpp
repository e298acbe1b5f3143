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
//   --valgrind            cada caso, también con valgrind: los errores de memoria son fallos
//
// Estado de salida: 0 si pasan todos los casos, 1 si falla alguno, 2 si no se pudo comprobar
// nada (no hay ejecutable, no hay casos). --corregir: 0 si se corrigió a todos, 2 si no.
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "compilar.h"
#include "comprobar.h"
#include "explicar.h"
#include "memoria.h"
#include "judge.h"
#include "pattern.h"
#include "run.h"

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

// Why a case is not checked with another executable, or empty.
std::string skipped(const Case &c, const Settings &settings) {
    if (!c.driver.empty())
        return "lo ejecuta un programa de pruebas del curso (" + c.driver + ")";
    if (const std::string device = missingDevice(c); !device.empty())
        return "este sistema no tiene " + device;
    if (const std::string fact = unmetPlatformFact(c, settings.platform); !fact.empty())
        return "vale donde " + fact + ", y aquí no";
    if (!c.failCall.empty())
        return "provoca un fallo de " + c.failCall.substr(0, c.failCall.find(' ')) +
               " con una biblioteca de pruebas del curso";
    return {};
}

RunOptions optionsFor(const Case &c, const Settings &settings) {
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
    }
    // Built with the sanitizers, the course's programs keep what the course says they keep: a
    // leak report is no fault of theirs.
    options.environment.push_back("ASAN_OPTIONS=detect_leaks=0");
    return options;
}

// Runs the case once more with the input given at once: if the output is then right, the
// prompt was only not flushed.
SilentWaitCause causeOfSilentWait(const Case &c, const Run &run, const fs::path &executable,
                                  const Settings &settings) {
    if (!run.silentWait)
        return SilentWaitCause::Unknown;
    if (static_cast<size_t>(run.silentWaitInputLine) > linesWithEnds(c.input.value_or("")).size())
        return SilentWaitCause::MoreInput;
    RunOptions options = optionsFor(c, settings);
    options.conversation = false;
    const Run again = runCase(executable, c, options);
    const bool right = again.started && judge(c, again).empty();
    cleanUp(again, false, settings.limits);
    return right ? SilentWaitCause::NoFlush : SilentWaitCause::Other;
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
            "OPCIONES: --casos CARPETA, --plataforma ARCHIVO, --utiles CARPETA, --notas CARPETA,\n"
            "          --tiempo S, --cpu S, --memoria MiB, --procesos N, --salida MiB,\n"
            "          --disco MiB, --compilacion S, --trabajos N, --sin-caja\n",
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
    RunOptions options = optionsFor(c, settings);
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

Loaded loadCases(const std::string &program, const std::vector<fs::path> &roots) {
    Loaded loaded;
    for (const fs::path &root : roots) {
        for (const Listed &entry : listCases(root)) {
            if (entry.group != program)
                continue;
            Case c;
            std::string why = entry.error;
            if (why.empty() && loadCase(entry.folder, c, why))
                loaded.cases.push_back(std::move(c));
            else
                loaded.broken.push_back(entry.name + ": " + why);
        }
    }
    return loaded;
}

Tally checkExecutable(const std::string &program, const fs::path &executable, const Loaded &loaded,
                      const Settings &settings, FILE *report) {
    Tally tally;
    fprintf(report, "Casos de «%s» con %s\n", program.c_str(),
            settings.shownAs.empty() ? executable.c_str() : settings.shownAs.c_str());
    waitModeLine(report);
    if (!settings.valgrind.empty())
        fprintf(report, "Memoria: cada caso se ejecuta con valgrind, que busca errores de memoria (tarda más).\n");
    else if (settings.valgrindWanted)
        fprintf(report, "MEMORIA=1 necesita valgrind, que no está instalado (Debian y Ubuntu: sudo apt "
                        "install valgrind): se comprueba sin él.\n");
    for (const std::string &broken : loaded.broken) {
        ++tally.checked;
        fprintf(report, "✗ %s\n    el caso está mal formado\n", broken.c_str());
    }
    for (const Case &c : loaded.cases) {
        if (const std::string why = skipped(c, settings); !why.empty()) {
            fprintf(report, "- %s: se omite, %s\n", c.name.c_str(), why.c_str());
            continue;
        }
        ++tally.checked;
        const Run run = runCase(executable, c, optionsFor(c, settings));
        tally.seconds += run.seconds;
        if (!run.started) {
            fprintf(report, "✗ %s\n    no se pudo preparar la prueba: %s\n", c.name.c_str(),
                    run.setupError.c_str());
            cleanUp(run, false, settings.limits);
            continue;
        }
        const auto problems = judge(c, run);
        const MemoryReport memory = readValgrind(run.wrapperLog);
        std::string memoryTold;
        for (const std::string &error : memory.errors)
            memoryTold += "    error de memoria: " + error + "\n";
        if (!memory.note.empty())
            memoryTold += "    Nota: " + memory.note + ".\n";
        if (problems.empty() && memory.errors.empty()) {
            ++tally.passed;
            fprintf(report, "✓ %s (%s)\n%s", c.name.c_str(), seconds(run.seconds).c_str(), memoryTold.c_str());
            cleanUp(run, false, settings.limits);
            continue;
        }
        const SilentWaitCause cause = causeOfSilentWait(c, run, executable, settings);
        fprintf(report, "✗ %s (%s)\n%s%s", c.name.c_str(), seconds(run.seconds).c_str(),
                problems.empty() ? ""
                                 : explain(c, run, problems, settings.limits, cause, executable.string()).text.c_str(),
                memoryTold.c_str());
        if (cleanUp(run, settings.keepScratch, settings.limits))
            fprintf(report, "    (la carpeta de la prueba queda en %s)\n", run.scratch.c_str());
        fflush(report);
    }
    fprintf(report, "%d de %d casos correctos\n", tally.passed, tally.checked);
    return tally;
}

int main(int argc, char **argv) {
    if (argc >= 4 && strcmp(argv[1], execAsOption) == 0)
        return execAs(argv);
    signal(SIGPIPE, SIG_IGN);
    Settings settings;
    std::vector<std::string> positional;
    std::string mode, inputFile, arguments, data, written;
    fs::path origin = fs::current_path();
    std::string sourceList;
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
        } else if (option == "--sin-caja") {
            settings.sandbox = false;
        } else if (option == "--valgrind") {
            settings.valgrindWanted = true;
            settings.valgrind = valgrindCommand();
        } else if (option == "--casos" && hasValue) {
            settings.caseRoots.push_back(fs::absolute(argv[++i]));
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
    if (mode == "--corregir")
        return gradeClass(positional[0], fs::absolute(positional[1]), settings);

    const std::string program = positional[0];
    const fs::path executable = fs::absolute(positional[1]);
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
        const Compiled compiled = compile(settings.sources, executable, settings.library, compileBox(settings));
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
    const Loaded loaded = loadCases(program, settings.caseRoots);
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
