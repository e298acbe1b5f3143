// Runs console transcript cases for CTest: a program, its arguments and typed input, in a
// fresh scratch folder; then compares its output, exit status and written files with the case.
// The case format is described in ../engine/case.h, the placeholders of stdout.pat in
// ../engine/pattern.h.
//
//   transcript [OPTIONS] PROGRAM CASE                  one case
//   transcript [OPTIONS] --stdout-full PROGRAM CASE... each case with standard output on
//                                              /dev/full: it must end with status 1, saying so
//                                              on standard error
//   transcript [OPTIONS] --stdout-full-through-driver DRIVER CASE...
//                                              the same through a driver that execs the
//                                              program: only the status is checked
//   transcript [OPTIONS] --alloc-sweep LIB PROGRAM CASE...
//                                              each case with each of its allocations made to
//                                              fail in turn (LIB: the failalloc preload)
//   transcript --list ROOT...                  the case folders of the trees, one per line:
//                                              program, case, folder, driver, error (tabs)
//   transcript --wait-mode                     how the conversation sees that a program waits
//   transcript --session PROGRAM CASE          the case's conversation as a terminal shows it,
//                                              the typed lines in place (for a statement)
//   transcript --session-matches PROGRAM CASE FILE
//                                              whether FILE holds that session (addresses
//                                              may differ)
//   transcript --judge CASE RUN                judges a run made elsewhere (the browser's
//                                              suite, tests/web): RUN is a folder holding
//                                              stdout, stderr, status, work/ (the folder
//                                              afterwards) and, when the program waited for
//                                              a line with nothing new shown, silent (the
//                                              line's number); skips as a run here would
// OPTIONS:
//   --emulator WORD    run the programs under this command (qemu-user), a word at a time
//   --seconds S        the time limit of each run (default 20), and of its processor time
//
// The input is given as a conversation: standard output is a pipe, and each line of stdin is
// written only once the program has shown new output and waits for input, so a prompt that is
// not flushed before the program waits fails the case. Cases where not every line answers a
// question, and cases whose driver reads commands of its own, hold a file named batch.
//
// Exit status: 0 when the case passes, 1 when it fails, 77 when it needs what this system
// lacks (CTest counts it as skipped), 2 for a wrong command line.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "case.h"
#include "judge.h"
#include "pattern.h"
#include "report.h"
#include "run.h"

namespace {

constexpr DiffWords english = {"line", "column", "expected", "actual", "other lines differ",
                               "1 other line differs", "no other line differs",
                               "they look alike, but are different characters"};
constexpr int maxAllocations = 60;  // allocations failed in turn, at most, per case

// What the command line set for every run.
std::vector<std::string> emulator;
Limits limits = [] {
    Limits l;
    l.wallSeconds = 20;
    l.cpuSeconds = 20;
    // The course's own programs, unconfined: each process's address space, as many processes
    // as a sweep needs.
    l.memoryMiB = 512;
    l.processes = 64;
    l.keptBytes = 64L << 20;
    return l;
}();

std::string waitModeLine() {
    const WaitMode &mode = waitMode();
    if (mode.exact)
        return "conversation: exact (the program's read of its standard input is seen in /proc)";
    static const char *const reasons[] = {
        "forced by TRANSCRIPT_WAIT=quiet", "this system has no /proc/<pid>/syscall",
        "/proc/<pid>/syscall cannot be read here",
        "/proc/<pid>/syscall did not show a probe reading its standard input"};
    return std::string("conversation: quiet-time fallback (") + reasons[mode.reason] + ")" +
           ": a line is given once the program has read all its input and shown nothing new for " +
           std::to_string(quietMilliseconds) + " ms";
}

std::string describe(const Problem &p) {
    switch (p.kind) {
    case Problem::CannotStart:
        return std::string("the program could not be started: ") + strerror(p.execError) + "\n";
    case Problem::WallTime:
        return "the program did not end within " + std::to_string(static_cast<int>(limits.wallSeconds)) +
               " seconds\n";
    case Problem::CpuTime:
        return "the program computed for more than " + std::to_string(limits.cpuSeconds) +
               " seconds of processor time\n";
    case Problem::TooMuchOutput:
        return "the program wrote more than " + std::to_string(limits.outputBytes >> 20) +
               " MiB on standard output\n";
    case Problem::TooMuchErrors:
        return "the program wrote more than " + std::to_string(limits.outputBytes >> 20) +
               " MiB on standard error\n";
    case Problem::Memory:
        return "the program went past " + std::to_string(limits.memoryMiB) + " MiB of memory in all\n";
    case Problem::Disk:
        return "the program's working folder went past " + std::to_string(limits.diskBytes >> 20) + " MiB\n";
    case Problem::Signal:
        return "the program was killed by signal " + std::to_string(p.actualStatus) + " (" +
               strsignal(p.actualStatus) + ")\n";
    case Problem::Status:
        return "exit status " + std::to_string(p.actualStatus) + ", expected " +
               std::to_string(p.expectedStatus) + "\n";
    case Problem::SilentWait:
        return (waitMode().exact
                    ? "the program waited for input line " + std::to_string(p.line) +
                          " without showing anything new"
                    : "the program read all its input up to line " + std::to_string(p.line) +
                          " and then showed nothing new for " +
                          std::to_string(patienceMilliseconds) + " ms") +
               ": its prompt was not on the screen (missing fflush?)\n";
    case Problem::Output:
        return "standard output differs at " + renderDifference(p.difference, english);
    case Problem::Pattern:
        if (p.mismatch.kind == PatternMismatch::BadPattern)
            return "the case's stdout.pat is no pattern: " + p.mismatch.detail + "\n";
        return "standard output does not match the pattern at " + renderMismatch(p.mismatch, english);
    case Problem::Errors:
        return "standard error differs at " + renderDifference(p.difference, english);
    case Problem::FileMissing:
        return "the program did not write " + p.file + "\n";
    case Problem::FileNotRegular:
        return "the program's " + p.file + " is a link or no regular file: it is not read\n";
    case Problem::FileDiffers:
        return "the file " + p.file + " differs at " + renderDifference(p.difference, english);
    case Problem::FilePresent:
        return "the file " + p.file + " should not exist\n";
    }
    return "?\n";
}

bool load(const char *folder, Case &c) {
    std::string why;
    if (loadCase(fs::absolute(folder), c, why))
        return true;
    printf("FAIL: %s\n", why.c_str());
    return false;
}

RunOptions optionsFor(const Case &c) {
    RunOptions options;
    options.emulator = emulator;
    options.limits = limits;
    options.conversation = !c.batch;
    // The sanitizers' settings of the course's own tests reach the programs.
    for (const char *name : {"ASAN_OPTIONS", "UBSAN_OPTIONS"})
        if (const char *value = getenv(name))
            options.environment.push_back(std::string(name) + "=" + value);
    return options;
}

// Why the case cannot run here, or empty.
std::string cannotRunHere(const Case &c) {
    if (const std::string device = missingDevice(c); !device.empty())
        return "this system has no " + device;
    const char *facts = getenv("TRANSCRIPT_PLATFORM");
    if (const std::string fact = unmetPlatformFact(c, facts != nullptr ? facts : ""); !fact.empty())
        return "the case holds where " + fact + ", which this build's platform does not";
    if (!c.failCall.empty() && getenv("TRANSCRIPT_FAILCALL") == nullptr)
        return "the case makes " + c.failCall + " fail with the failcall preload, built with glibc only";
    return {};
}

int runOne(const fs::path &program, const char *folder) {
    Case c;
    if (!load(folder, c))
        return 1;
    // 77 tells CTest the case was skipped: it needs what this system does not have.
    if (const std::string why = cannotRunHere(c); !why.empty()) {
        printf("SKIP: %s\n", why.c_str());
        return 77;
    }
    const RunOptions options = optionsFor(c);
    const Run run = runCase(program, c, options);
    if (options.conversation)
        puts(waitModeLine().c_str());
    if (!run.started) {
        printf("FAIL: %s\n", run.setupError.c_str());
        cleanUp(run, false, limits);
        return 1;
    }
    const auto problems = judge(c, run);
    if (problems.empty()) {
        cleanUp(run, false, limits);
        return 0;
    }
    for (const Problem &p : problems)
        printf("FAIL: %s", describe(p).c_str());
    if (cleanUp(run, true, limits))
        printf("scratch folder kept: %s\n", run.scratch.c_str());
    return 1;
}

// With standard output on /dev/full, a case must end with status 1, saying on standard error
// that its output could not be written (the check runs at exit, where the status the program
// chose cannot be seen). Through a driver that execs the program with standard error merged
// into standard output, only the status can be seen.
int stdoutFull(const fs::path &program, bool throughDriver, int count, char **folders) {
    int failures = 0;
    int tried = 0;
    for (int i = 0; i < count; ++i) {
        Case c;
        if (!load(folders[i], c)) {
            ++failures;
            continue;
        }
        if (c.driver.empty() == throughDriver || (c.output && c.output->empty()) ||
            !cannotRunHere(c).empty())
            continue;  // a driver is not the program; nothing written cannot fail
        ++tried;
        RunOptions options = optionsFor(c);
        options.conversation = false;
        options.outputPath = "/dev/full";
        const Run run = runCase(program, c, options);
        const std::string name = fs::path(c.argv0.value_or(program.filename().string())).filename().string();
        const std::string wantErrors = c.errors + name + ": " + strerror(ENOSPC) + "\n";
        std::string what;
        if (!run.started)
            what = run.setupError + "\n";
        else if (!run.finished)
            what = "did not end within the limits\n";
        else if (run.status != 1)
            what = "exit status " + std::to_string(run.status) + ", expected 1\n";
        else if (!throughDriver && run.errors != wantErrors)
            what = "standard error differs at " +
                   renderDifference(firstDifference(wantErrors, run.errors), english);
        cleanUp(run, false, limits);
        if (!what.empty()) {
            ++failures;
            printf("FAIL: %s, standard output on /dev/full: %s", c.folder.filename().c_str(),
                   what.c_str());
        }
    }
    if (tried == 0) {
        printf("FAIL: no case of this program writes to standard output\n");
        return 1;
    }
    printf("%d cases run with standard output on /dev/full, %d failed\n", tried, failures);
    return failures == 0 ? 0 : 1;
}

// The course's own words for a file it cannot open, which a program may print when fopen
// itself ran out of memory.
const char *const openFailures[] = {"Error al crear el archivo",
                                    "No se puede leer el archivo, o el archivo está vacío."};

// The outcomes accepted when an allocation fails, by name: output identical to the case's; the
// standard message with status 1; the list menus' own message; when fopen ran out, the
// system's text or the course's open-failure message; when a stream's buffer could not be had,
// the C library goes on without one, so the run must end as the case says: its status and
// stderr. Anything else is a failure, and what happened is told in failure.
const char *allocationOutcome(const Case &c, const Run &run, const std::string &where,
                              std::string &failure) {
    if (!run.finished) {
        failure = "did not end within the limits";
        return nullptr;
    }
    if (run.status < 0) {
        failure = std::string("killed by signal ") + strsignal(-run.status);
        return nullptr;
    }
    if (judge(c, run).empty())
        return "identical output";
    const std::string standard = "\nNo queda memoria libre\n";
    const std::string &out = run.output;
    // A stream without its buffer still works: the program must not end as if memory ran out
    // (an errno left over from that allocation would make it say so).
    if (where == "buffer") {
        if (run.status == c.status && run.errors == c.errors && out.find(standard) == std::string::npos)
            return "unbuffered stream";
        failure = "a stream's buffer could not be had, and the program did not end as the case "
                  "says: exit status " + std::to_string(run.status) + " and output that differs at " +
                  renderDifference(firstDifference(c.output.value_or(""), out), english);
        return nullptr;
    }
    if (run.status == 1 && out.size() >= standard.size() &&
        out.compare(out.size() - standard.size(), standard.size(), standard) == 0)
        return "no queda memoria libre";
    if (out.find("Intento de añadir un nodo NULL") != std::string::npos)
        return "nodo NULL";
    if (where == "fopen") {
        if ((out + run.errors).find(strerror(ENOMEM)) != std::string::npos)
            return "fopen: system's text";
        for (const char *message : openFailures)
            if (out.find(message) != std::string::npos)
                return "fopen: course's message";
    }
    const std::string expected = c.output.value_or(c.pattern.value_or(""));
    failure = "failed in " + (where.empty() ? std::string("?") : where) + "; exit status " +
              std::to_string(run.status) + " and output that differs at " +
              renderDifference(firstDifference(expected, out), english);
    return nullptr;
}

int allocationSweep(const fs::path &library, const fs::path &program, int count, char **folders) {
    std::string notesName = temporaryFolder() + "/failalloc.XXXXXX";  // the preload's notes
    if (mkdtemp(notesName.data()) == nullptr) {
        perror("mkdtemp");
        return 1;
    }
    const fs::path notes = notesName;
    int failures = 0;
    long runs = 0;
    std::map<std::string, int> outcomes;  // how often each accepted outcome was seen
    for (int i = 0; i < count; ++i) {
        Case c;
        if (!load(folders[i], c)) {
            ++failures;
            continue;
        }
        if (!cannotRunHere(c).empty())
            continue;
        RunOptions options = optionsFor(c);
        options.preloads = {library};
        const std::vector<std::string> settings = options.environment;
        options.environment.insert(options.environment.end(),
                                   {"FAIL_ALLOC_AT=0", "FAIL_ALLOC_COUNT=" + (notes / "count").string()});
        cleanUp(runCase(program, c, options), false, limits);
        const long made = atol(readFile(notes / "count").value_or("0").c_str());
        if (made == 0) {
            ++failures;
            printf("FAIL: %s: no allocation was counted (is the preload library loaded?)\n",
                   c.folder.filename().c_str());
            continue;
        }
        const long tried = made < maxAllocations ? made : maxAllocations;
        for (long n = 1; n <= tried; ++n) {
            options.environment = settings;
            options.environment.insert(options.environment.end(),
                                       {"FAIL_ALLOC_AT=" + std::to_string(n),
                                        "FAIL_ALLOC_WHERE=" + (notes / "where").string()});
            std::error_code ec;
            fs::remove(notes / "where", ec);
            const Run run = runCase(program, c, options);
            ++runs;
            const std::string where = readFile(notes / "where").value_or("");
            std::string what = run.setupError;
            const char *outcome = run.started ? allocationOutcome(c, run, where, what) : nullptr;
            if (outcome != nullptr) {
                ++outcomes[outcome];
                cleanUp(run, false, limits);
                continue;
            }
            ++failures;
            printf("FAIL: %s, allocation %ld of %ld: %s\n", c.folder.filename().c_str(), n, made,
                   what.c_str());
            if (cleanUp(run, true, limits))
                printf("scratch folder kept: %s\n", run.scratch.c_str());
        }
        printf("%s: %ld allocations, %ld failed in turn\n", c.folder.filename().c_str(), made, tried);
    }
    std::error_code ec;
    fs::remove_all(notes, ec);
    printf("%ld runs, %d failures", runs, failures);
    for (const auto &[outcome, times] : outcomes)
        printf("; %s %d", outcome.c_str(), times);
    printf("\n");
    return failures == 0 ? 0 : 1;
}

// A statement shows the session in a block of its own lines: the last one ends with a line feed.
std::string asLines(std::string text) {
    if (!text.empty() && text.back() != '\n')
        text += '\n';
    return text;
}

// Runs a statement's case once; false, saying why, when it cannot be run to its end.
bool runForStatement(const fs::path &program, const char *folder, Case &c, Run &run) {
    if (!load(folder, c))
        return false;
    run = runCase(program, c, optionsFor(c));
    cleanUp(run, false, limits);
    if (run.started && run.finished)
        return true;
    printf("the program did not end on its case %s\n", run.setupError.c_str());
    return false;
}

int session(const fs::path &program, const char *folder) {
    Case c;
    Run run;
    if (!runForStatement(program, folder, c, run))
        return 1;
    const std::string shown = asLines(terminalView(run.output, c.input.value_or(""), run.inputAt, !c.batch));
    fwrite(shown.data(), 1, shown.size(), stdout);
    return fflush(stdout) == 0 ? 0 : 1;
}

// Whether a statement's stored session is this case's: the same as a fresh one, but for the
// numbers the case's own pattern leaves free (addresses), which stand there as its placeholders.
int sessionMatches(const fs::path &program, const char *folder, const char *stored) {
    Case c;
    Run run;
    if (!runForStatement(program, folder, c, run))
        return 1;
    std::string output = run.output;
    std::vector<size_t> inputAt = run.inputAt;
    PatternMismatch mismatch;
    std::vector<Matched> spans;
    if (c.pattern) {
        if (!matchPattern(*c.pattern, output, mismatch, &spans)) {
            printf("the program's output does not match its case\n");
            return 1;
        }
        // From the last to the first, so that the places still to come stay where they are;
        // the typed lines given after a placeholder move with it.
        for (auto span = spans.rbegin(); span != spans.rend(); ++span) {
            output.replace(span->at, span->length, span->placeholder);
            for (size_t &given : inputAt)
                if (given > span->at)
                    given += span->placeholder.size() - span->length;
        }
    }
    const std::string expected = asLines(terminalView(output, c.input.value_or(""), inputAt, !c.batch));
    const std::string kept = readFile(stored).value_or("");
    if (c.pattern ? matchPattern(expected, kept, mismatch) : kept == expected)
        return 0;
    printf("the session differs from its case at %s",
           c.pattern ? renderMismatch(mismatch, english).c_str()
                     : renderDifference(firstDifference(expected, kept), english).c_str());
    return 1;
}

int list(int count, char **roots) {
    for (int i = 0; i < count; ++i)
        for (const Listed &entry : listCases(fs::absolute(roots[i])))
            printf("%s\t%s\t%s\t%s\t%s\n", entry.group.c_str(), entry.name.c_str(),
                   entry.folder.c_str(), entry.driver.c_str(), entry.error.c_str());
    return 0;
}

// A run made elsewhere, judged as one made here: the same case, the same judge, the same words.
int judgeGiven(const char *folder, const fs::path &given) {
    Case c;
    if (!load(folder, c))
        return 1;
    if (const std::string why = cannotRunHere(c); !why.empty()) {
        printf("SKIP: %s\n", why.c_str());
        return 77;
    }
    Run run;
    const auto output = readFile(given / "stdout");
    const auto errors = readFile(given / "stderr");
    const auto status = readFile(given / "status");
    if (!output || !errors || !status || !fs::is_directory(given / "work")) {
        printf("FAIL: %s holds no run: it needs stdout, stderr, status and work/\n", given.c_str());
        return 1;
    }
    run.started = run.finished = true;
    run.output = *output;
    run.errors = *errors;
    run.status = atoi(status->c_str());
    run.scratch = given;
    if (const auto silent = readFile(given / "silent")) {
        run.silentWait = true;
        run.silentWaitInputLine = atoi(silent->c_str());
    }
    const auto problems = judge(c, run);
    for (const Problem &p : problems)
        printf("FAIL: %s", describe(p).c_str());
    return problems.empty() ? 0 : 1;
}

void usage(const char *name) {
    fprintf(stderr,
            "usage: %s [OPTIONS] PROGRAM CASE\n"
            "       %s [OPTIONS] --stdout-full[-through-driver] PROGRAM CASE...\n"
            "       %s [OPTIONS] --alloc-sweep LIBRARY PROGRAM CASE...\n"
            "       %s --list ROOT...\n"
            "       %s --wait-mode\n"
            "       %s --session PROGRAM CASE\n"
            "       %s --session-matches PROGRAM CASE FILE\n"
            "       %s --judge CASE RUN\n"
            "OPTIONS: --emulator WORD (repeated), --seconds S\n",
            name, name, name, name, name, name, name, name);
}

}  // namespace

int main(int argc, char **argv) {
    if (argc >= 4 && strcmp(argv[1], execAsOption) == 0)
        return execAs(argv);
    signal(SIGPIPE, SIG_IGN);  // a program that ends early must not end the runner
    const char *name = argv[0];
    for (;;) {
        if (argc >= 3 && strcmp(argv[1], "--emulator") == 0) {
            emulator.push_back(argv[2]);
        } else if (argc >= 3 && strcmp(argv[1], "--seconds") == 0 && atoi(argv[2]) > 0) {
            limits.wallSeconds = atoi(argv[2]);
            limits.cpuSeconds = atoi(argv[2]);
        } else {
            break;
        }
        argc -= 2;
        argv += 2;
    }
    if (argc == 2 && strcmp(argv[1], "--wait-mode") == 0) {
        puts(waitModeLine().c_str());
        return 0;
    }
    if (argc == 5 && strcmp(argv[1], "--session-matches") == 0)
        return sessionMatches(fs::absolute(argv[2]), argv[3], argv[4]);
    if (argc == 4 && strcmp(argv[1], "--judge") == 0)
        return judgeGiven(argv[2], fs::absolute(argv[3]));
    if (argc == 4 && strcmp(argv[1], "--session") == 0)
        return session(fs::absolute(argv[2]), argv[3]);
    if (argc >= 3 && strcmp(argv[1], "--list") == 0)
        return list(argc - 2, argv + 2);
    if (argc >= 4 && strcmp(argv[1], "--stdout-full") == 0)
        return stdoutFull(fs::absolute(argv[2]), false, argc - 3, argv + 3);
    if (argc >= 4 && strcmp(argv[1], "--stdout-full-through-driver") == 0)
        return stdoutFull(fs::absolute(argv[2]), true, argc - 3, argv + 3);
    if (argc >= 5 && strcmp(argv[1], "--alloc-sweep") == 0)
        return allocationSweep(fs::absolute(argv[2]), fs::absolute(argv[3]), argc - 4, argv + 4);
    if (argc == 3 && argv[1][0] != '-')
        return runOne(fs::absolute(argv[1]), argv[2]);
    usage(name);
    return 2;
}
