// A transcript case: loading its folder, running a program on it, and judging the run.
// Shared by the CTest runner (English, for us) and the course checker (Spanish, for students).
#ifndef TRANSCRIPT_CASO_H
#define TRANSCRIPT_CASO_H

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// The files a case folder may hold; the header of runner.cpp says what each one means.
struct Case {
    fs::path folder;
    std::vector<std::string> arguments;      // after the program name
    std::optional<std::string> argv0;
    std::optional<std::string> input;        // stdin
    std::optional<std::string> output;       // stdout
    std::optional<std::string> pattern;      // stdout.pat
    std::string errors;                      // stderr
    int status = 0;
    std::string driver;                      // program: a test driver runs the case
    bool batch = false;                      // batch: input given all at once
    std::string failCall;                    // fail: "fseek 1", a call made to fail
    std::vector<std::string> links;
    std::vector<std::string> absent;
    std::vector<std::string> platform;       // facts the expected output depends on
};

// Reads a case folder. False, with why, when the folder holds an unknown file or lacks its
// expected standard output: such a case would check nothing.
bool loadCase(const fs::path &folder, Case &loaded, std::string &why);

// A device the case links to that this system lacks (macOS has no /dev/full), or empty.
std::string missingDevice(const Case &c);

// A fact of the case's platform file ("sizeof(long double) = 16") that the build's facts (the
// file the build writes, tests/platform.txt) do not hold, or empty. When the facts are not
// known, every case runs.
std::string unmetPlatformFact(const Case &c, const fs::path &facts);

// Where scratch folders are made: TMPDIR, or /tmp.
std::string temporaryFolder();

// The time limit of a run: 20 seconds, or TRANSCRIPT_TIMEOUT's.
int timeLimit();

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

struct RunOptions {
    bool conversation = false;  // feed a line only once the program shows output and waits
    std::string outputPath;     // standard output to this path (e.g. /dev/full), not a pipe
    std::vector<std::string> environment;  // NAME=value added to the program's environment
    std::vector<fs::path> preloads;        // libraries the dynamic loader preloads
    std::vector<std::string> emulator;     // qemu-user and its options, for another architecture
    int seconds = timeLimit();
};

struct Run {
    bool started = false;       // false: the scratch folder could not be made (see setupError)
    std::string setupError;
    bool finished = false;      // false: killed after the time limit
    double seconds = 0;         // how long it ran
    int status = -1;            // exit status, or minus the signal
    std::string output;
    std::string errors;
    fs::path scratch;           // holds work/, the folder the program ran in
    // Conversation: the first time the program waited for input with nothing new shown.
    bool silentWait = false;
    int silentWaitInputLine = 0;       // the input line it waited for (from 1)
    std::string outputBeforeSilentWait;
};

Run runCase(const fs::path &program, const Case &c, const RunOptions &options);

// What is wrong with a run; empty when it passed.
struct Problem {
    enum Kind { Timeout, Signal, Status, SilentWait, Output, Pattern, Errors, FileMissing,
                FileDiffers, FilePresent } kind;
    std::string detail;    // file name, pattern message, ...
    std::string expected;  // for Output, Errors, FileDiffers
    std::string actual;
    int expectedStatus = 0;
    int actualStatus = 0;
};

std::vector<Problem> judge(const Case &c, const Run &run, int seconds);

// The texts a compact difference is told with.
struct DiffWords {
    const char *line;          // "line"
    const char *column;        // "column"
    const char *expected;      // "expected"
    const char *actual;        // "actual"
    const char *otherLines;    // after a number: "other lines differ"
    const char *oneOtherLine;  // "1 other line differs"
    const char *noOtherLine;   // "no other line differs"
};

// The first differing line of two texts with its line and column, a marker under the column,
// a few lines of context on each side with control bytes made visible, and how many other
// lines differ.
std::string compactDiff(const std::string &expected, const std::string &actual,
                        const DiffWords &words);

// The output line a pattern mismatch names ("output line N: ..."), or 1.
int patternLine(const std::string &why);

// The output lines around a line, numbered, the given one marked (for pattern mismatches).
std::string context(const std::string &text, int line);

// Reads a whole file; nothing when it cannot be read.
std::optional<std::string> readFile(const fs::path &path);

#endif
