// Running a program on a case: in a fresh scratch folder, with a fixed environment, under
// limits, sandboxed when bubblewrap is there, and with the input given as a conversation.
#ifndef ENGINE_RUN_H
#define ENGINE_RUN_H

#include <filesystem>
#include <string>
#include <vector>

#include "case.h"

// How a conversation tells that the program waits for its next line. Exact: the runner sees,
// in /proc/<pid>/syscall, the program sleeping in a read of its standard input (Linux, when
// that file can be read). Otherwise, the quiet-time fallback: the program has read all its
// input so far and shown nothing new for quietMilliseconds (patienceMilliseconds when it has
// shown nothing at all since its last line, in case it is only slow).
struct WaitMode {
    bool exact = false;
    // Why the fallback runs: forced by TRANSCRIPT_WAIT=quiet, no /proc/<pid>/syscall on this
    // system, the file cannot be read (a Linux that restricts ptrace), or the probe's read of
    // its standard input did not show in it.
    enum Reason { Forced, NoProc, Unreadable, NotShown } reason = Forced;
};
constexpr int quietMilliseconds = 50;
constexpr int patienceMilliseconds = 1000;

// Decided once per process: by a probe of /proc, or forced with TRANSCRIPT_WAIT=quiet.
const WaitMode &waitMode();

// What one run of a program may use. Zero means no limit.
struct Limits {
    double wallSeconds = 10;
    int cpuSeconds = 5;
    long memoryMiB = 512;       // address space (none for the sanitizers and valgrind)
    int processes = 64;         // processes it may start beyond those its user already has
    long outputBytes = 1L << 20;  // standard output, and standard error, each
    long fileBytes = 16L << 20;   // each file it writes
    long keptBytes = 16L << 20;   // a failing run's scratch folder is kept up to this size
};

// The environment every program under test gets, and nothing else of the runner's: a fixed
// locale, search path and home (its working folder). The options add their own settings.
extern const char *const fixedLocale;  // "C.UTF-8"
extern const char *const fixedPath;    // "/usr/local/bin:/usr/bin:/bin"

struct RunOptions {
    bool conversation = false;  // feed a line only once the program shows output and waits
    std::string outputPath;     // standard output to this path (e.g. /dev/full), not a pipe
    std::vector<std::string> environment;  // NAME=value, besides the fixed ones
    std::vector<fs::path> preloads;        // libraries the dynamic loader preloads
    std::vector<std::string> emulator;     // qemu-user and its options, for another architecture
    std::vector<std::string> wrapper;      // a command the program runs under (valgrind)
    bool wrapperLog = false;               // descriptor 3 is a file the wrapper reports to
    Limits limits;
    bool sandbox = false;  // in bubblewrap: see sandboxAvailable
};

// Whether bubblewrap can sandbox a run here: the system read-only, no network, the scratch
// folder the only one writable, the program's own file the only other one in sight.
bool sandboxAvailable();

struct Run {
    bool started = false;  // false: the run could not be set up (see setupError)
    std::string setupError;
    bool finished = false;  // false: stopped at a limit (see stopped)
    enum Stop { NotStopped, WallTime, CpuTime, Output, ErrorOutput } stopped = NotStopped;
    int status = -1;         // exit status, or minus the signal
    int execError = 0;       // the program could not be started: errno of exec
    std::string output;      // at most the output limit
    std::string errors;
    std::string wrapperLog;  // what the wrapper wrote on descriptor 3, at most the output limit
    double seconds = 0;
    fs::path scratch;        // holds work/, the folder the program ran in
    // Conversation: the output's length when each input line was given, so that the
    // conversation can be shown as a terminal shows it.
    std::vector<size_t> inputAt;
    // Conversation: the first time the program waited for input with nothing new shown.
    bool silentWait = false;
    int silentWaitInputLine = 0;  // the input line it waited for (from 1)
};

Run runCase(const fs::path &program, const Case &c, const RunOptions &options);

// In the sandbox a program is started by the front end itself, so that it gets the name the case
// gives it: every front end's main begins with
//     if (argc >= 4 && strcmp(argv[1], execAsOption) == 0) return execAs(argv);
// ("--exec-as PROGRAM NAME ARGUMENTS...": runs PROGRAM with NAME as its argv[0]).
extern const char *const execAsOption;
int execAs(char **argv);

// Where scratch folders are made: TMPDIR, or /tmp.
std::string temporaryFolder();

// Removes a run's scratch folder; keeps it when asked and it is small enough. True if kept.
bool cleanUp(const Run &run, bool keep, const Limits &limits);

#endif
