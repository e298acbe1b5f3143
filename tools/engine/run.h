// Running a program on a case: in a fresh scratch folder, with a fixed environment, under
// limits, sandboxed when bubblewrap is there, and with the input given as a conversation.
#ifndef ENGINE_RUN_H
#define ENGINE_RUN_H

#include <filesystem>
#include <string>
#include <vector>

#include "case.h"
#include "limits.h"
#include "sandbox.h"

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
    bool sandbox = false;  // in bubblewrap (sandbox.h): see sandboxAvailable
    // Unread code: as an unprivileged user when the runner is root, bounded as a whole (a control
    // group where there is one) and with its working folder's size watched.
    bool confined = false;
    std::vector<BoxFile> shown;  // in the box, besides the program: files it needs (utiles)
};

struct Run {
    bool started = false;  // false: the run could not be set up (see setupError)
    std::string setupError;
    bool finished = false;  // false: stopped at a limit (see stopped)
    // Why it was stopped: time, processor, output, or its whole memory, or its disk.
    enum Stop { NotStopped, WallTime, CpuTime, Output, ErrorOutput, Memory, Disk } stopped = NotStopped;
    int status = -1;         // exit status, or minus the signal
    int execError = 0;       // the program could not be started: errno of exec
    std::string output;      // at most the output limit
    std::string errors;
    std::string wrapperLog;  // what the wrapper wrote on descriptor 3, at most the output limit
    double seconds = 0;
    long peakMemory = -1;    // bytes the whole run held at once, measured by its group; -1 unknown
    bool processLimitHit = false;  // a fork failed at the limit of processes of its group
    fs::path scratch;        // holds work/, the folder the program ran in
    // Conversation: the output's length when each input line was given, so that the
    // conversation can be shown as a terminal shows it.
    std::vector<size_t> inputAt;
    // Conversation: the first time the program waited for input with nothing new shown.
    bool silentWait = false;
    int silentWaitInputLine = 0;  // the input line it waited for (from 1)
};

Run runCase(const fs::path &program, const Case &c, const RunOptions &options);

// Where scratch folders are made: TMPDIR, or /tmp.
std::string temporaryFolder();

// Reads at most limit bytes of a file the program wrote in its working folder: only a regular
// file inside it, reached without following any link (a link to the expected file, or to
// /etc/shadow, is no file of the program's).
enum class WorkFile { Read, Missing, NotRegular };
WorkFile readWorkFile(const fs::path &work, const std::string &path, size_t limit, std::string &bytes);

// Removes a run's scratch folder; keeps it when asked and it is small enough. True if kept.
bool cleanUp(const Run &run, bool keep, const Limits &limits);

#endif
