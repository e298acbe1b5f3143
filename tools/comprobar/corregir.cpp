// make corregir: a class's submissions at once. Every subfolder of the submissions' folder is
// a student's, holding an executable or C or C++ sources (compiled here with the course's
// warnings and utiles at hand). The cases are loaded once, before the first submission runs;
// the submissions are checked in parallel, each in a process of its own. The result: a table,
// notas.csv, and for each student the feedback file that make check would have shown them.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "compilar.h"
#include "comprobar.h"
#include "explicar.h"

namespace {

struct Submission {
    std::string student;
    fs::path folder;
};

struct Outcome {
    int passed = 0;
    int total = 0;
    double seconds = 0;
    std::string note;  // why it got nothing: it does not compile, it holds no program
};

bool isSource(const fs::path &path) {
    const std::string extension = path.extension().string();
    return extension == ".c" || extension == ".cpp" || extension == ".cc";
}

// Grades one submission, in a process of its own: writes the student's feedback file and a
// result line the parent reads.
Outcome grade(const std::string &program, const Submission &s, const Loaded &loaded,
              const Settings &settings) {
    Outcome outcome;
    std::vector<fs::path> sources;
    std::vector<fs::path> executables;
    std::error_code ec;
    for (const auto &entry : fs::directory_iterator(s.folder, ec)) {
        // A link is no file of the student's: it may point at anything of the teacher's.
        if (entry.symlink_status(ec).type() != fs::file_type::regular)
            continue;
        if (isSource(entry.path()))
            sources.push_back(entry.path());
        else if (access(entry.path().c_str(), X_OK) == 0)
            executables.push_back(entry.path());
    }
    std::sort(sources.begin(), sources.end());
    const fs::path feedback = settings.output / "retroalimentacion" / (s.student + ".txt");
    FILE *report = fopen(feedback.c_str(), "w");
    if (report == nullptr) {
        outcome.note = "no se pudo escribir su informe";
        return outcome;
    }
    fs::path executable;
    if (!sources.empty()) {
        executable = settings.output / "compilados" / s.student / program;
        fs::create_directories(executable.parent_path(), ec);
        const Compiled compiled = compile(sources, executable, settings.library, compileBox(settings));
        if (!compiled.ok) {
            fprintf(report, "%s", notCompiled(compiled).c_str());
            outcome.note = "no compila";
        } else if (const std::string warnings = warningsOf(compiled.log); !warnings.empty()) {
            fprintf(report, "El compilador avisa de algo (léelo: suele ser un error a punto de ocurrir):\n%s",
                    indented(warnings).c_str());
        }
    } else if (executables.size() == 1) {
        executable = executables[0];
    } else {
        fprintf(report, "En tu entrega no hay %s: entrega los fuentes (.c o .cpp) o un solo ejecutable.\n",
                executables.empty() ? "ningún programa" : "un solo ejecutable");
        outcome.note = executables.empty() ? "sin programa" : "varios ejecutables";
    }
    for (const Case &c : loaded.cases)
        outcome.total += c.driver.empty() && c.failCall.empty();
    outcome.total += static_cast<int>(loaded.broken.size());
    if (outcome.note.empty()) {
        Settings named = settings;
        named.shownAs = "tu programa";
        const Tally tally = checkExecutable(program, executable, loaded, named, report);
        outcome.passed = tally.passed;
        outcome.total = tally.checked;
        outcome.seconds = tally.seconds;
    }
    fclose(report);
    return outcome;
}

std::string csvField(const std::string &text) {
    if (text.find_first_of(",\"\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

}  // namespace

int gradeClass(const std::string &program, const fs::path &submissions, const Settings &given) {
    // The feedback files go to the students: no scratch folder of this machine is named there.
    Settings settings = given;
    settings.keepScratch = false;
    std::vector<Submission> students;
    std::error_code ec;
    for (const auto &entry : fs::directory_iterator(submissions, ec))
        if (entry.is_directory(ec))
            students.push_back({entry.path().filename().string(), entry.path()});
    if (ec || students.empty()) {
        printf("No hay entregas en %s: debe tener una subcarpeta por alumno.\n", submissions.c_str());
        return 2;
    }
    std::sort(students.begin(), students.end(),
              [](const Submission &a, const Submission &b) { return a.student < b.student; });
    // Every case is read before the first submission runs: nothing one does can change what
    // the next one is compared with.
    const Loaded loaded = loadCases(program, settings.caseRoots);
    if (loaded.cases.empty() && loaded.broken.empty()) {
        printf("No hay casos de «%s» (make list muestra los programas).\n", program.c_str());
        return 2;
    }
    for (const char *folder : {"retroalimentacion", "compilados", "resultados"}) {
        fs::remove_all(settings.output / folder, ec);
        fs::create_directories(settings.output / folder, ec);
    }
    if (ec) {
        printf("No se puede escribir en %s: %s\n", settings.output.c_str(), ec.message().c_str());
        return 2;
    }
    const bool sandboxed = settings.sandbox && sandboxAvailable();
    printf("Corrección de «%s»: %zu entregas, %zu casos\n", program.c_str(), students.size(),
           loaded.cases.size() + loaded.broken.size());
    if (sandboxed)
        printf("Cada ejecución, en una caja de arena (bubblewrap): no ve el curso, ni los casos, ni las otras entregas.\n");
    else
        printf("Sin caja de arena: %s; cada entrega ve el resto del sistema.\n",
               settings.sandbox ? "bubblewrap no está instalado o no puede funcionar aquí (Debian y "
                                  "Ubuntu: sudo apt install bubblewrap)"
                                : "la quitó --sin-caja");
    printf("%s", boundsLine(settings.limits).c_str());
    (void)waitMode();  // decided once, here, for every worker
    fflush(stdout);

    const long processors = sysconf(_SC_NPROCESSORS_ONLN);
    const int jobs = settings.jobs > 0 ? settings.jobs : static_cast<int>(processors > 0 ? processors : 2);
    const auto started = std::chrono::steady_clock::now();
    std::map<pid_t, size_t> running;
    size_t next = 0;
    while (next < students.size() || !running.empty()) {
        if (next < students.size() && static_cast<int>(running.size()) < jobs) {
            const pid_t worker = fork();
            if (worker == 0) {
                const Outcome o = grade(program, students[next], loaded, settings);
                FILE *result = fopen((settings.output / "resultados" / students[next].student).c_str(), "w");
                const bool written = result != nullptr &&
                                     fprintf(result, "%d\t%d\t%.3f\t%s\n", o.passed, o.total, o.seconds,
                                             o.note.c_str()) > 0;
                _exit(result != nullptr && fclose(result) == 0 && written ? 0 : 1);
            }
            if (worker > 0) {
                running[worker] = next;
                ++next;
                continue;
            }
        }
        int status = 0;
        const pid_t done = wait(&status);
        if (done > 0)
            running.erase(done);
    }

    FILE *marks = fopen((settings.output / "notas.csv").c_str(), "w");
    bool written = marks != nullptr && fprintf(marks, "alumno,correctos,total,nota,observaciones\n") > 0;
    printf("\n%-24s %9s %6s %10s\n", "alumno", "correctos", "total", "tiempo");
    bool all = true;
    for (const Submission &s : students) {
        Outcome o;
        const std::string line = readFile(settings.output / "resultados" / s.student).value_or("");
        char note[256] = "";
        if (sscanf(line.c_str(), "%d\t%d\t%lf\t%255[^\n]", &o.passed, &o.total, &o.seconds, note) < 3) {
            o.note = "no se pudo corregir";
            all = false;
        } else {
            o.note = note;
        }
        const double mark = o.total > 0 ? 10.0 * o.passed / o.total : 0;
        printf("%-24s %9d %6d %10s%s%s\n", s.student.c_str(), o.passed, o.total, seconds(o.seconds).c_str(),
               o.note.empty() ? "" : "  ", o.note.c_str());
        written = written && fprintf(marks, "%s,%d,%d,%.2f,%s\n", csvField(s.student).c_str(), o.passed,
                                     o.total, mark, csvField(o.note).c_str()) > 0;
    }
    written = marks != nullptr && fclose(marks) == 0 && written;
    fs::remove_all(settings.output / "resultados", ec);
    const double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    printf("\nEn %s. Notas (sobre 10): %s\nLo que ve cada alumno: %s/\n", seconds(total).c_str(),
           (settings.output / "notas.csv").c_str(), (settings.output / "retroalimentacion").c_str());
    if (!written) {
        printf("No se pudo escribir %s.\n", (settings.output / "notas.csv").c_str());
        return 2;
    }
    return all ? 0 : 2;
}
