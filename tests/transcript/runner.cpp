// Runs console transcript cases for CTest: a program, its arguments and typed input, in a
// fresh scratch folder; then compares its output, exit status and written files with the case.
//
//   transcript PROGRAM CASE                    one case
//   transcript --stdout-full PROGRAM CASE...   each case with standard output on /dev/full:
//                                              it must end non-zero, saying so on stderr
//   transcript --stdout-full-through-driver DRIVER CASE...
//                                              the same through a driver that execs the
//                                              program: only the status is checked
//   transcript --alloc-sweep LIB PROGRAM CASE...
//                                              each case with each of its allocations made to
//                                              fail in turn (LIB: the failalloc preload)
//
// A case is a folder of plain files (all optional but the expected output):
//   args        one argument per line
//   argv0       the program name the program sees (default: the program's file name)
//   stdin       the typed input (default: none, the input is at its end at once)
//   stdout      the expected standard output, byte for byte
//   stdout.pat  instead of stdout: the expected output with placeholders for addresses
//   stderr      the expected standard error (default: nothing at all)
//   status      the expected exit status (default 0)
//   files/      copied into the scratch folder before the run
//   links       symbolic links to make in the scratch folder, one per line: NAME -> TARGET
//               (a file that is /dev/full makes every write to it fail)
//   expect/     files the scratch folder must hold afterwards, byte for byte
//   absent      names, one per line, that must not exist in the scratch folder afterwards
//   program     the target that runs the case, when it is not the folder above (a driver)
//   batch       give the input all at once (see below)
//   fail        a call to make fail, "NAME N": the Nth call of fseek or ftell fails with EIO
//               (through the failcall library, which TRANSCRIPT_FAILCALL names)
//   platform    facts of the platform the expected output depends on, one per line, as the
//               build writes them in tests/platform.txt (TRANSCRIPT_PLATFORM names it):
//               "sizeof(long) = 8"; elsewhere the case is skipped
// Any other file in a case folder is an error, as is a case without stdout or stdout.pat.
//
// The input is given as a conversation: standard output is a pipe, and each line of stdin is
// written only once the program has shown new output and waits for input, so a prompt that is
// not flushed before the program waits fails the case. Cases where not every line answers a
// question, and cases whose driver reads commands of its own, hold a file named batch.
//
// Placeholders in stdout.pat match one number printed by the program and give it a name:
//   {{p:NAME}}  a pointer as %p prints it (0x...),   {{u:NAME}} a decimal number,
//   {{x:NAME}}  lower-case hex digits, {{X:NAME}} upper-case hex digits,
//   {{*}}       anything up to the next literal text on the same line.
// Blanks of a field width before the number belong to the placeholder. A name seen again
// must stand for the same value; NAME+OFF or NAME-OFF (decimal or 0x...) must stand for that
// value plus or minus OFF, which is how chained nodes and field offsets are checked.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "caso.h"
#include "pattern.h"

namespace {

constexpr DiffWords english = {"line", "column", "expected", "actual", "other lines differ",
                               "1 other line differs", "no other line differs"};
constexpr int maxAllocations = 60;  // allocations failed in turn, at most, per case

// --emulator: the programs run under this command (qemu-user and its options).
std::vector<std::string> emulator;

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
    case Problem::Timeout:
        return "the program did not end within " + p.detail + " seconds\n";
    case Problem::Signal:
        return "the program was killed by signal " + std::to_string(p.actualStatus) + " (" +
               strsignal(p.actualStatus) + ")\n";
    case Problem::Status:
        return "exit status " + std::to_string(p.actualStatus) + ", expected " +
               std::to_string(p.expectedStatus) + "\n";
    case Problem::SilentWait:
        return (waitMode().exact
                    ? "the program waited for input line " + p.detail +
                          " without showing anything new"
                    : "the program read all its input up to line " + p.detail +
                          " and then showed nothing new for " +
                          std::to_string(patienceMilliseconds) + " ms") +
               ": its prompt was not on the screen (missing fflush?); " +
               (p.actual.empty() ? std::string("it had shown nothing at all\n")
                                 : "the output until then ends with:\n" +
                                       context(p.actual, lineOf(p.actual, p.actual.size() - 1)));
    case Problem::Output:
        return "standard output differs at " + compactDiff(p.expected, p.actual, english);
    case Problem::Pattern:
        return "standard output does not match the pattern: " + p.detail + "\n" +
               context(p.actual, patternLine(p.detail));
    case Problem::Errors:
        return "standard error differs at " + compactDiff(p.expected, p.actual, english);
    case Problem::FileMissing:
        return "the program did not write " + p.detail + "\n";
    case Problem::FileDiffers:
        return "the file " + p.detail + " differs at " + compactDiff(p.expected, p.actual, english);
    case Problem::FilePresent:
        return "the file " + p.detail + " should not exist\n";
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

void removeScratch(const Run &run) {
    std::error_code ec;
    if (!run.scratch.empty())
        fs::remove_all(run.scratch, ec);
}

int runOne(const fs::path &program, const char *folder) {
    Case c;
    if (!load(folder, c))
        return 1;
    // 77 tells CTest the case was skipped: it needs what this system does not have.
    if (const std::string device = missingDevice(c); !device.empty()) {
        printf("SKIP: this system has no %s\n", device.c_str());
        return 77;
    }
    const char *facts = getenv("TRANSCRIPT_PLATFORM");
    if (const std::string fact = unmetPlatformFact(c, facts != nullptr ? facts : ""); !fact.empty()) {
        printf("SKIP: the case holds where %s, which this build's platform does not\n", fact.c_str());
        return 77;
    }
    if (!c.failCall.empty() && getenv("TRANSCRIPT_FAILCALL") == nullptr) {
        printf("SKIP: the case makes %s fail with the failcall preload, built with glibc only\n",
               c.failCall.c_str());
        return 77;
    }
    RunOptions options;
    options.emulator = emulator;
    options.conversation = !c.batch;
    const Run run = runCase(program, c, options);
    if (options.conversation)
        puts(waitModeLine().c_str());
    if (!run.started) {
        printf("FAIL: %s\n", run.setupError.c_str());
        removeScratch(run);
        return 1;
    }
    const auto problems = judge(c, run, options.seconds);
    if (problems.empty()) {
        removeScratch(run);
        return 0;
    }
    for (const Problem &p : problems)
        printf("FAIL: %s", describe(p).c_str());
    printf("scratch folder kept: %s\n", run.scratch.c_str());
    return 1;
}

// With standard output on /dev/full, a case must end with status 1, saying on standard error
// that its output could not be written (the check runs at exit, where the status the program
// chose cannot be seen). Through a
// driver that execs the program with standard error merged into standard output, only the
// status can be seen.
int stdoutFull(const fs::path &program, bool throughDriver, int count, char **folders) {
    int failures = 0;
    int tried = 0;
    for (int i = 0; i < count; ++i) {
        Case c;
        if (!load(folders[i], c)) {
            ++failures;
            continue;
        }
        if (c.driver.empty() == throughDriver || (c.output && c.output->empty()))
            continue;  // a driver is not the program; nothing written cannot fail
        ++tried;
        RunOptions options;
        options.emulator = emulator;
        options.outputPath = "/dev/full";
        const Run run = runCase(program, c, options);
        const std::string name = fs::path(c.argv0.value_or(program.filename().string())).filename().string();
        const std::string wantErrors = c.errors + name + ": " + strerror(ENOSPC) + "\n";
        const int wantStatus = 1;
        std::string what;
        if (!run.started)
            what = run.setupError + "\n";
        else if (!run.finished)
            what = "did not end within the time limit\n";
        else if (run.status != wantStatus)
            what = "exit status " + std::to_string(run.status) + ", expected " +
                   std::to_string(wantStatus) + "\n";
        else if (!throughDriver && run.errors != wantErrors)
            what = "standard error differs at " + compactDiff(wantErrors, run.errors, english);
        removeScratch(run);
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
// the C library goes on without one and a write may fail sooner, so the status and stderr of
// the case. Anything else is a failure, and what happened is told in failure.
const char *allocationOutcome(const Case &c, const Run &run, int seconds, const std::string &where,
                              std::string &failure) {
    if (!run.finished) {
        failure = "did not end within " + std::to_string(seconds) + " seconds";
        return nullptr;
    }
    if (run.status < 0) {
        failure = std::string("killed by signal ") + strsignal(-run.status);
        return nullptr;
    }
    if (judge(c, run, seconds).empty())
        return "identical output";
    const std::string standard = "\nNo queda memoria libre\n";
    const std::string &out = run.output;
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
    if (where == "buffer" && run.status == c.status && run.errors == c.errors)
        return "unbuffered stream";
    const std::string expected = c.output.value_or(c.pattern.value_or(""));
    failure = "failed in " + (where.empty() ? std::string("?") : where) + "; exit status " +
              std::to_string(run.status) + " and output that differs at " +
              compactDiff(expected, out, english);
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
        RunOptions options;
        options.emulator = emulator;
        options.preloads = {library};
        options.environment = {"FAIL_ALLOC_AT=0", "FAIL_ALLOC_COUNT=" + (notes / "count").string()};
        removeScratch(runCase(program, c, options));
        const long made = atol(readFile(notes / "count").value_or("0").c_str());
        if (made == 0) {
            ++failures;
            printf("FAIL: %s: no allocation was counted (is the preload library loaded?)\n",
                   c.folder.filename().c_str());
            continue;
        }
        const long tried = made < maxAllocations ? made : maxAllocations;
        for (long n = 1; n <= tried; ++n) {
            options.environment = {"FAIL_ALLOC_AT=" + std::to_string(n),
                                   "FAIL_ALLOC_WHERE=" + (notes / "where").string()};
            std::error_code ec;
            fs::remove(notes / "where", ec);
            const Run run = runCase(program, c, options);
            ++runs;
            const std::string where = readFile(notes / "where").value_or("");
            std::string what = run.setupError;
            const char *outcome =
                run.started ? allocationOutcome(c, run, options.seconds, where, what) : nullptr;
            if (outcome != nullptr) {
                ++outcomes[outcome];
                removeScratch(run);
                continue;
            }
            ++failures;
            printf("FAIL: %s, allocation %ld of %ld: %s\n", c.folder.filename().c_str(), n, made,
                   what.c_str());
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

void usage(const char *name) {
    fprintf(stderr,
            "usage: %s [--emulator WORD]... PROGRAM CASE\n"
            "       %s [--emulator WORD]... --stdout-full[-through-driver] PROGRAM CASE...\n"
            "       %s [--emulator WORD]... --alloc-sweep LIBRARY PROGRAM CASE...\n"
            "       %s --wait-mode\n",
            name, name, name, name);
}

}  // namespace

int main(int argc, char **argv) {
    signal(SIGPIPE, SIG_IGN);  // a program that ends early must not end the runner
    while (argc >= 3 && strcmp(argv[1], "--emulator") == 0) {
        emulator.push_back(argv[2]);
        argc -= 2;
        argv += 2;
    }
    if (argc == 2 && strcmp(argv[1], "--wait-mode") == 0) {
        puts(waitModeLine().c_str());
        return 0;
    }
    if (argc >= 4 && strcmp(argv[1], "--stdout-full") == 0)
        return stdoutFull(fs::absolute(argv[2]), false, argc - 3, argv + 3);
    if (argc >= 4 && strcmp(argv[1], "--stdout-full-through-driver") == 0)
        return stdoutFull(fs::absolute(argv[2]), true, argc - 3, argv + 3);
    if (argc >= 5 && strcmp(argv[1], "--alloc-sweep") == 0)
        return allocationSweep(fs::absolute(argv[2]), fs::absolute(argv[3]), argc - 4, argv + 4);
    if (argc == 3 && argv[1][0] != '-')
        return runOne(fs::absolute(argv[1]), argv[2]);
    usage(argv[0]);
    return 2;
}
