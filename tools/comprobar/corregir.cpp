// make corregir: a class's submissions at once. Every subfolder of the submissions' folder is
// a student's, holding what the student handed in as it arrived (entregas.h finds the program
// in it: sources, compiled here with the course's warnings and utiles at hand, or an
// executable). The cases are loaded once, before the first submission runs; the submissions
// are checked in parallel, each in a process of its own. The result: a table, notas.csv, and
// for each student the feedback file that make check would have shown them, with the teacher's
// own cases (CASOS=) hidden and no path of this machine in it.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>

#include "compilar.h"
#include "comprobar.h"
#include "entregas.h"
#include "explicar.h"
#include "hoja.h"
#include "nombres.h"
#include "notas.h"

namespace {

struct Submission {
    std::string name;       // the folder's name, as it is
    std::string shown;      // as the grader shows it (visibleName)
    std::string stem;       // its feedback file's name, without .txt: unique in the class
    fs::path folder;
    std::string notGraded;  // why it is listed but not graded (a link, a loose file), or empty
};

struct Outcome {
    int coursePassed = 0;
    int hiddenPassed = 0;
    double seconds = 0;
    std::string note;  // the main reason for a mark below 10
};

// "2 casos: la salida difiere; 1: se para por tiempo": what went wrong, the most usual first.
std::string summary(const std::vector<std::string> &failures) {
    std::vector<std::pair<std::string, int>> counted;
    for (const std::string &failure : failures) {
        auto known = std::find_if(counted.begin(), counted.end(), [&](const auto &c) { return c.first == failure; });
        if (known == counted.end())
            counted.emplace_back(failure, 1);
        else
            ++known->second;
    }
    std::stable_sort(counted.begin(), counted.end(), [](const auto &a, const auto &b) { return a.second > b.second; });
    std::string told;
    for (const auto &[failure, count] : counted)
        told += (told.empty() ? std::to_string(count) + (count == 1 ? " caso: " : " casos: ")
                              : "; " + std::to_string(count) + ": ") +
                failure;
    return told;
}

// Every path of this machine a text may name, replaced: the folders the grader knows by what
// the student knows them as (nothing, or the file's own name), and any other absolute path
// outside the system's folders by its last part (a compiler's scratch object, say).
std::string withoutPaths(std::string text, std::vector<std::pair<std::string, std::string>> known) {
    std::sort(known.begin(), known.end(), [](const auto &a, const auto &b) { return a.first.size() > b.first.size(); });
    for (const auto &[path, shown] : known) {
        if (path.size() < 2)
            continue;
        for (size_t at = text.find(path); at != std::string::npos; at = text.find(path, at + shown.size())) {
            const size_t end = at + path.size() + (text.compare(at + path.size(), 1, "/") == 0 ? 1 : 0);
            text.replace(at, end - at, shown);
        }
    }
    static const char *const system[] = {"/usr/", "/bin/", "/sbin/", "/lib", "/etc/", "/dev/", "/proc/", "/opt/"};
    for (size_t at = text.find('/'); at != std::string::npos; at = text.find('/', at + 1)) {
        if (at > 0 && std::string(" \t\n'\"`(:=‘").find(text[at - 1]) == std::string::npos &&
            static_cast<unsigned char>(text[at - 1]) != 0x98)  // the last byte of ‘
            continue;
        size_t end = at;
        while (end < text.size() && (isalnum(static_cast<unsigned char>(text[end])) ||
                                     std::string("/._-+~").find(text[end]) != std::string::npos))
            ++end;
        const std::string path = text.substr(at, end - at);
        if (std::count(path.begin(), path.end(), '/') < 2 ||
            std::any_of(std::begin(system), std::end(system), [&](const char *s) { return path.rfind(s, 0) == 0; }))
            continue;
        const std::string last = path.substr(path.find_last_of('/', path.size() - 2) + 1);
        text.replace(at, path.size(), last);
    }
    return text;
}

// Grades one submission, in a process of its own: writes the student's feedback file.
Outcome grade(const std::string &program, const Submission &s, const Loaded &loaded, const Settings &settings) {
    Outcome outcome;
    const fs::path feedback = settings.output / "retroalimentacion" / (s.stem + ".txt");
    const fs::path scratch = settings.output / "compilados" / s.stem;
    char *written = nullptr;
    size_t size = 0;
    FILE *report = open_memstream(&written, &size);
    if (report == nullptr) {
        outcome.note = "no se pudo escribir su informe";
        return outcome;
    }
    const HandIn handIn = findProgram(program, s.folder, scratch, settings);
    fs::path executable = handIn.executable;
    fprintf(report, "%s", handIn.told.c_str());
    if (!handIn.wrong.empty()) {
        fprintf(report, "%s\n", handIn.wrong.c_str());
        outcome.note = handIn.note;
    } else if (!handIn.sources.empty()) {
        executable = scratch / program;
        const Compiled compiled = compile(handIn.sources, executable, settings.library, compileBox(settings));
        if (!compiled.ok) {
            fprintf(report, "%s", notCompiled(compiled).c_str());
            outcome.note = "no compila";
        } else if (const std::string warnings = warningsOf(compiled.log); !warnings.empty()) {
            fprintf(report, "El compilador avisa de algo (léelo: suele ser un error a punto de ocurrir):\n%s",
                    indented(warnings).c_str());
        }
    }
    if (outcome.note.empty()) {
        Settings named = settings;
        named.shownAs = "tu programa";
        const Tally tally = checkExecutable(program, executable, loaded, named, report);
        outcome.coursePassed = tally.passed - tally.hiddenPassed;
        outcome.hiddenPassed = tally.hiddenPassed;
        outcome.seconds = tally.seconds;
        outcome.note = summary(tally.failures);
    }
    fclose(report);
    const std::string told = withoutPaths(std::string(written, size),
                                          {{scratch.string(), ""},
                                           {s.folder.string(), ""},
                                           {settings.output.string(), ""},
                                           {s.folder.parent_path().string(), ""},
                                           {settings.library.string(), "utiles"},
                                           {temporaryFolder(), ""},
                                           {fs::current_path().string(), ""},
                                           {getenv("HOME") != nullptr ? getenv("HOME") : "", ""}});
    free(written);
    FILE *file = fopen(feedback.c_str(), "w");
    const bool saved = file != nullptr && fwrite(told.data(), 1, told.size(), file) == told.size();
    if (file == nullptr || fclose(file) != 0 || !saved)
        outcome.note = "no se pudo escribir su informe";
    return outcome;
}

// The students' folders, in the order a Spanish reader expects; links and loose files are
// listed to say why they are not graded. Hidden entries (.DS_Store) are left out.
std::vector<Submission> listSubmissions(const fs::path &submissions, std::error_code &ec) {
    std::vector<Submission> students;
    for (const auto &entry : fs::directory_iterator(submissions, ec)) {
        const std::string name = entry.path().filename().string();
        if (name[0] == '.')
            continue;
        Submission s{name, visibleName(name), "", entry.path(), ""};
        std::error_code statusError;
        const auto status = entry.symlink_status(statusError);
        if (fs::is_symlink(status))
            s.notGraded = "no se corrige: es un enlace a " +
                          visibleName(fs::read_symlink(entry.path(), statusError).filename().string()) +
                          ", y los enlaces no se siguen (cada alumno, su carpeta)";
        else if (!fs::is_directory(status))
            s.notGraded = "no se corrige: es un archivo suelto, no la carpeta de un alumno";
        students.push_back(s);
    }
    std::sort(students.begin(), students.end(),
              [](const Submission &a, const Submission &b) { return spanishLess(a.name, b.name); });
    std::set<std::string> stems;
    for (Submission &s : students) {
        s.stem = fileStem(s.name);
        for (int copy = 2; !stems.insert(s.stem).second; ++copy)
            s.stem = fileStem(s.name) + "-" + std::to_string(copy);
    }
    return students;
}

bool writeText(const fs::path &path, const std::string &text) {
    // Written beside it, then renamed: a notas.csv is never left half written.
    const fs::path partial = path.string() + ".nuevo";
    FILE *file = fopen(partial.c_str(), "w");
    const bool written = file != nullptr && fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file == nullptr || fclose(file) != 0 || !written)
        return false;
    std::error_code ec;
    fs::rename(partial, path, ec);
    return !ec;
}

}  // namespace

int gradeClass(const std::string &program, const fs::path &submissions, const Settings &given) {
    // The feedback files go to the students: no scratch folder of this machine is named there.
    Settings settings = given;
    settings.keepScratch = false;
    std::error_code ec;
    const std::vector<Submission> students = listSubmissions(submissions, ec);
    if (ec || students.empty()) {
        printf("No hay entregas en %s: debe tener una subcarpeta por alumno.\n", submissions.c_str());
        return 2;
    }
    // ALUMNO=: one student of the class, re-graded; every other result stays as it was.
    std::string wanted = settings.student;
    while (wanted.size() > 1 && wanted.back() == '/')
        wanted.pop_back();
    wanted = fs::path(wanted).filename().string();  // a path to the folder names it too
    std::vector<size_t> graded;
    for (size_t i = 0; i < students.size(); ++i)
        if (settings.student.empty() || students[i].name == wanted)
            graded.push_back(i);
    if (!settings.student.empty() && graded.size() != 1) {
        printf("No hay una carpeta «%s» en %s: ALUMNO es el nombre de la carpeta de un alumno.\n",
               visibleName(settings.student).c_str(), submissions.c_str());
        return 2;
    }
    // Every case is read before the first submission runs: nothing one does can change what
    // the next one is compared with. The teacher's own cases must all be right first.
    if (const std::string wrong = wrongTeacherCases(program, settings); !wrong.empty()) {
        printf("%s\n", wrong.c_str());
        return 2;
    }
    const Loaded loaded = loadCases(program, settings);
    if (loaded.cases.empty() && loaded.broken.empty()) {
        printf("No hay casos de «%s» (make list muestra los programas).\n", program.c_str());
        return 2;
    }
    const Planned planned = plannedCases(loaded, settings);
    for (const char *folder : {"retroalimentacion", "compilados"})
        fs::create_directories(settings.output / folder, ec);
    std::string results = (settings.output / "resultados.XXXXXX").string();
    if (ec || mkdtemp(results.data()) == nullptr) {
        printf("No se puede escribir en %s: %s\n", settings.output.c_str(),
               ec ? ec.message().c_str() : strerror(errno));
        return 2;
    }
    const bool sandboxed = settings.sandbox && sandboxAvailable();
    printf("Corrección de «%s»: %zu entregas, %d casos del curso%s\n", program.c_str(), graded.size(),
           planned.course, planned.hidden > 0 ? (" y " + std::to_string(planned.hidden) + " tuyos").c_str() : "");
    if (planned.hidden > 0 && !settings.showHidden) {
        printf("Tus casos, ocultos: cada alumno ve solo su número y en qué difiere (MOSTRAR_OCULTOS=1 los "
               "enseña enteros):");
        int number = 0;
        for (size_t i = 0; i < loaded.cases.size(); ++i) {
            if (!loaded.hidden[i])
                continue;
            ++number;
            printf("%s%d %s", number == 1 ? " " : ", ", number, loaded.cases[i].name.c_str());
        }
        printf("\n");
    }
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
    while (next < graded.size() || !running.empty()) {
        if (next < graded.size() && students[graded[next]].notGraded.empty() &&
            static_cast<int>(running.size()) < jobs) {
            const Submission &s = students[graded[next]];
            fs::remove_all(settings.output / "compilados" / s.stem, ec);  // this run's to write
            const pid_t worker = fork();
            if (worker == 0) {
                const Outcome o = grade(program, s, loaded, settings);
                FILE *result = fopen((fs::path(results) / s.stem).c_str(), "w");
                const bool written = result != nullptr &&
                                     fprintf(result, "%d\t%d\t%.3f\t%s\n", o.coursePassed, o.hiddenPassed,
                                             o.seconds, o.note.c_str()) > 0;
                _exit(result != nullptr && fclose(result) == 0 && written ? 0 : 1);
            }
            if (worker > 0) {
                running[worker] = next;
                ++next;
                continue;
            }
        } else if (next < graded.size() && !students[graded[next]].notGraded.empty()) {
            ++next;
            continue;
        }
        int status = 0;
        const pid_t done = wait(&status);
        if (done > 0)
            running.erase(done);
    }

    // The table and the rows: every mark out of every case, whatever happened to the submission.
    size_t column = 24;  // the names' column, as wide as the widest name shown (at most 40)
    for (size_t index : graded)
        column = std::max(column, displayWidth(shortened(students[index].shown, 40)));
    printf("\n%s %9s %6s %10s\n", padded("alumno", column).c_str(), "correctos", "total", "tiempo");
    bool all = true;
    std::vector<Mark> marks;
    for (size_t index : graded) {
        const Submission &s = students[index];
        Mark mark;
        mark.folder = s.name;
        mark.student = s.shown;
        mark.courseTotal = planned.course;
        mark.hiddenTotal = planned.hidden;
        Outcome o;
        if (!s.notGraded.empty()) {
            mark.graded = false;
            mark.note = s.notGraded;
            printf("%s %9s %6s %10s  %s\n", padded(shortened(s.shown, 40), column).c_str(), "-", "-", "",
                   s.notGraded.c_str());
            marks.push_back(mark);
            continue;
        }
        const std::string line = readFile(fs::path(results) / s.stem).value_or("");
        const size_t tab = line.find('\t', line.find('\t', line.find('\t') + 1) + 1);
        if (tab == std::string::npos ||
            sscanf(line.c_str(), "%d\t%d\t%lf", &o.coursePassed, &o.hiddenPassed, &o.seconds) != 3) {
            o.note = "no se pudo corregir";
            all = false;
        } else {
            o.note = line.substr(tab + 1, line.find('\n', tab) - tab - 1);
        }
        mark.coursePassed = o.coursePassed;
        mark.hiddenPassed = o.hiddenPassed;
        mark.note = o.note;
        printf("%s %9d %6d %10s%s%s\n", padded(shortened(s.shown, 40), column).c_str(),
               o.coursePassed + o.hiddenPassed, planned.course + planned.hidden, seconds(o.seconds).c_str(),
               o.note.empty() ? "" : "  ", o.note.c_str());
        marks.push_back(mark);
    }
    fs::remove_all(results, ec);

    // notas.csv: this run's rows, and every row of an earlier run it does not replace; the
    // teacher is told of those of students no longer in the class.
    const fs::path notas = settings.output / "notas.csv";
    std::string text = marksHeader(settings.csv);
    std::vector<std::string> kept;
    if (!settings.student.empty()) {
        // One student re-graded: their row in its place, or at the end when it was not there.
        const Mark &mark = marks.front();
        bool replaced = false;
        for (const auto &[key, row] : readMarks(notas, settings.csv)) {
            const bool theirs = key == markKey(mark, settings.csv);
            text += theirs ? marksRow(mark, settings.csv) : row;
            replaced = replaced || theirs;
        }
        if (!replaced)
            text += marksRow(mark, settings.csv);
    } else {
        std::set<std::string> listed;
        for (const Mark &mark : marks) {
            text += marksRow(mark, settings.csv);
            listed.insert(markKey(mark, settings.csv));
        }
        for (const auto &[key, row] : readMarks(notas, settings.csv))
            if (listed.count(key) == 0) {
                text += row;
                kept.push_back(key);
            }
    }
    const bool written = writeText(notas, text);
    const double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    printf("\nEn %s. Notas (sobre 10): %s\nLo que ve cada alumno: %s/\n", seconds(total).c_str(), notas.c_str(),
           (settings.output / "retroalimentacion").c_str());
    if (!kept.empty())
        printf("notas.csv conserva %zu filas de una corrección anterior de alumnos que no están en %s (la "
               "primera: %s); sus informes siguen en retroalimentacion/.\n",
               kept.size(), submissions.c_str(), kept.front().c_str());
    if (!written) {
        printf("No se pudo escribir %s.\n", notas.c_str());
        return 2;
    }
    // The platform's zip holds every student's feedback there is, this run's or an earlier one's;
    // the worksheet gets this run's marks (re-grading one: into the worksheet already filled).
    std::vector<MarkRow> rows, everyone;
    for (const Mark &mark : marks)
        if (mark.graded)
            rows.push_back({mark.folder, mark.coursePassed + mark.hiddenPassed, mark.courseTotal + mark.hiddenTotal,
                            mark.note, {}});
    for (const Submission &s : students)
        if (const fs::path feedback = settings.output / "retroalimentacion" / (s.stem + ".txt");
            s.notGraded.empty() && fs::exists(feedback, ec))
            everyone.push_back({s.name, 0, 0, "", feedback});
    fs::path worksheet = settings.worksheet;
    if (!settings.student.empty() && fs::exists(settings.output / "hoja-calificaciones.csv", ec))
        worksheet = settings.output / "hoja-calificaciones.csv";
    if (!feedbackZip(settings.output, everyone) ||
        (!settings.worksheet.empty() && !fillWorksheet(worksheet, settings.output, rows)))
        return 2;
    return all ? 0 : 2;
}
