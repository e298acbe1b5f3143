// Loading, running and judging one transcript case.
#include "caso.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#ifdef __linux__
#include <sys/syscall.h>
#endif
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <set>

#include "pattern.h"

std::optional<std::string> readFile(const fs::path &path) {
    FILE *file = fopen(path.c_str(), "rb");
    if (file == nullptr)
        return std::nullopt;
    std::string bytes;
    char block[65536];
    size_t count;
    while ((count = fread(block, 1, sizeof block, file)) > 0)
        bytes.append(block, count);
    const bool failed = ferror(file) != 0;
    fclose(file);
    if (failed)
        return std::nullopt;
    return bytes;
}

std::string temporaryFolder() {
    const char *folder = getenv("TMPDIR");
    return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

int timeLimit() {
    const char *limit = getenv("TRANSCRIPT_TIMEOUT");
    return limit != nullptr && atoi(limit) > 0 ? atoi(limit) : 20;
}

namespace {

// Every line of a text, without its line feed; a last line without one counts too.
std::vector<std::string> splitLines(const std::string &text) {
    std::vector<std::string> result;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        result.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return result;
}

// Lines with their line feed kept, so that a missing final one shows.
std::vector<std::string> linesWithEnds(const std::string &text) {
    std::vector<std::string> result;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        result.push_back(text.substr(start, end - start));
        start = end;
    }
    return result;
}

std::vector<std::string> nonEmptyLines(const std::string &text) {
    std::vector<std::string> result;
    for (std::string &line : splitLines(text))
        if (!line.empty())
            result.push_back(std::move(line));
    return result;
}

const std::set<std::string> knownFiles = {"args",  "argv0", "stdin", "stdout", "stdout.pat",
                                          "stderr", "status", "links", "absent", "program",
                                          "batch", "fail", "platform"};
const std::set<std::string> knownFolders = {"files", "expect"};

}  // namespace

bool loadCase(const fs::path &folder, Case &loaded, std::string &why) {
    loaded = Case{};
    loaded.folder = folder;
    std::error_code ec;
    for (const auto &entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        const bool known = entry.is_directory() ? knownFolders.count(name) > 0
                                                : knownFiles.count(name) > 0;
        if (!known) {
            why = "the case folder " + folder.string() + " holds an unknown file: " + name;
            return false;
        }
    }
    if (ec) {
        why = "cannot read the case folder " + folder.string() + ": " + ec.message();
        return false;
    }
    loaded.output = readFile(folder / "stdout");
    loaded.pattern = readFile(folder / "stdout.pat");
    if (!loaded.output && !loaded.pattern) {
        why = "the case folder " + folder.string() + " has no expected output (stdout or stdout.pat)";
        return false;
    }
    if (loaded.output && loaded.pattern) {
        why = "the case folder " + folder.string() + " has both stdout and stdout.pat";
        return false;
    }
    if (const auto given = readFile(folder / "args")) {
        size_t start = 0;  // every line is an argument, an empty line an empty one
        while (start < given->size()) {
            size_t end = given->find('\n', start);
            if (end == std::string::npos)
                end = given->size();
            loaded.arguments.push_back(given->substr(start, end - start));
            start = end + 1;
        }
    }
    if (const auto name = readFile(folder / "argv0")) {
        const auto first = splitLines(*name);
        loaded.argv0 = first.empty() ? std::string{} : first[0];
    }
    loaded.input = readFile(folder / "stdin");
    loaded.errors = readFile(folder / "stderr").value_or("");
    if (const auto status = readFile(folder / "status"))
        loaded.status = atoi(status->c_str());
    if (const auto program = readFile(folder / "program")) {
        const auto first = splitLines(*program);
        loaded.driver = first.empty() ? std::string{} : first[0];
    }
    loaded.batch = fs::exists(folder / "batch");
    if (const auto fail = readFile(folder / "fail")) {
        const auto first = splitLines(*fail);
        loaded.failCall = first.empty() ? std::string{} : first[0];
    }
    loaded.links = nonEmptyLines(readFile(folder / "links").value_or(""));
    loaded.absent = nonEmptyLines(readFile(folder / "absent").value_or(""));
    loaded.platform = nonEmptyLines(readFile(folder / "platform").value_or(""));
    return true;
}

std::string missingDevice(const Case &c) {
    for (const std::string &link : c.links) {
        const size_t arrow = link.find(" -> ");
        const std::string target = arrow == std::string::npos ? "" : link.substr(arrow + 4);
        std::error_code ec;
        if (target.rfind("/dev/", 0) == 0 && !fs::exists(target, ec))
            return target;
    }
    return {};
}

std::string unmetPlatformFact(const Case &c, const fs::path &facts) {
    const auto known = readFile(facts);
    if (!known)
        return {};
    const auto held = nonEmptyLines(*known);
    for (const std::string &fact : c.platform)
        if (std::find(held.begin(), held.end(), fact) == held.end())
            return fact;
    return {};
}

namespace {

// Makes the scratch folder and its work/ folder, with the case's files and links in it. The
// copies are writable whatever the case files' mode (a read-only checkout), since programs
// rewrite the files they are given.
bool prepare(const Case &c, Run &run) {
    std::string name = temporaryFolder() + "/transcript.XXXXXX";
    if (mkdtemp(name.data()) == nullptr) {
        run.setupError = std::string("mkdtemp: ") + strerror(errno);
        return false;
    }
    run.scratch = name;
    const fs::path work = run.scratch / "work";
    std::error_code ec;
    fs::create_directory(work, ec);
    if (!ec && fs::exists(c.folder / "files"))
        fs::copy(c.folder / "files", work,
                 fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
    for (auto entry = fs::recursive_directory_iterator(work, ec);
         !ec && entry != fs::recursive_directory_iterator(); entry.increment(ec))
        if (!entry->is_symlink())
            fs::permissions(entry->path(), fs::perms::owner_read | fs::perms::owner_write,
                            fs::perm_options::add, ec);
    if (ec) {
        run.setupError = "cannot copy the case's files: " + ec.message();
        return false;
    }
    // Links are made here rather than kept in the tree, where a link to a device would
    // hang any tool that reads every file.
    for (const std::string &link : c.links) {
        const size_t arrow = link.find(" -> ");
        if (arrow == std::string::npos) {
            run.setupError = "bad line in links: " + link;
            return false;
        }
        fs::create_symlink(link.substr(arrow + 4), work / link.substr(0, arrow), ec);
        if (ec) {
            run.setupError = "cannot make the link " + link + ": " + ec.message();
            return false;
        }
    }
    return true;
}

// A child's end is told through this pipe, written by the SIGCHLD handler, so that one poll
// waits for output and for the end alike, on any POSIX system.
int childEnded[2] = {-1, -1};

void onChildEnd(int) {
    const int saved = errno;
    const char byte = 0;
    if (write(childEnded[1], &byte, 1) < 0) {
        // full: a byte already waits there, which says the same
    }
    errno = saved;
}

bool makePipe(int ends[2]) {
    if (pipe(ends) != 0)
        return false;
    for (int i = 0; i < 2; ++i)
        if (fcntl(ends[i], F_SETFD, FD_CLOEXEC) != 0)
            return false;
    return true;
}

bool watchChildren(std::string &why) {
    if (childEnded[0] >= 0)
        return true;
    if (!makePipe(childEnded) || fcntl(childEnded[0], F_SETFL, O_NONBLOCK) != 0 ||
        fcntl(childEnded[1], F_SETFL, O_NONBLOCK) != 0) {
        why = std::string("pipe: ") + strerror(errno);
        return false;
    }
    struct sigaction action = {};
    action.sa_handler = onChildEnd;
    action.sa_flags = SA_RESTART | SA_NOCLDSTOP;
    sigemptyset(&action.sa_mask);
    if (sigaction(SIGCHLD, &action, nullptr) != 0) {
        why = std::string("sigaction: ") + strerror(errno);
        return false;
    }
    return true;
}

void drain(int fd, std::string &into, bool &sawNew) {
    char block[65536];
    for (;;) {
        const ssize_t count = read(fd, block, sizeof block);
        if (count <= 0)
            return;
        into.append(block, static_cast<size_t>(count));
        sawNew = true;
    }
}

void forget(int fd) {
    char block[256];
    while (read(fd, block, sizeof block) > 0) {
    }
}

#ifdef __linux__
// The system calls that read standard input, by their numbers on this machine's architecture:
// glibc reads with read, musl's stdio with readv.
bool isRead(long call) {
    return call == SYS_read
#ifdef SYS_readv
           || call == SYS_readv
#endif
        ;
}

// True when the process, or one it started (a script that runs the program), sleeps in a read
// of its standard input, and that input is the pipe the runner writes to. The first fields of
// /proc/<pid>/syscall are the call's number and its first argument, the descriptor.
bool readsInput(pid_t process, const struct stat &pipe, int depth) {
    const std::string proc = "/proc/" + std::to_string(process);
    const std::string calls = readFile(proc + "/syscall").value_or("");
    char *end = nullptr;
    const long call = strtol(calls.c_str(), &end, 10);
    struct stat input;
    if (end != calls.c_str() && isRead(call) && strtoul(end, nullptr, 16) == 0 &&
        stat((proc + "/fd/0").c_str(), &input) == 0 && input.st_ino == pipe.st_ino &&
        input.st_dev == pipe.st_dev)
        return true;
    if (depth == 0)
        return false;
    const std::string children =
        readFile(proc + "/task/" + std::to_string(process) + "/children").value_or("");
    const char *at = children.c_str();
    for (long pid = strtol(at, &end, 10); end != at; pid = strtol(at, &end, 10)) {
        if (readsInput(static_cast<pid_t>(pid), pipe, depth - 1))
            return true;
        at = end;
    }
    return false;
}

// Whether this machine shows the runner what its children wait on: a child that reads an empty
// pipe must be seen reading it within a second.
bool procShowsReads(WaitMode::Reason &why) {
    int ends[2];
    if (!makePipe(ends)) {
        why = WaitMode::NotShown;
        return false;
    }
    fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        char byte;
        close(ends[1]);
        _exit(dup2(ends[0], 0) == 0 && read(0, &byte, 1) >= 0 ? 0 : 1);
    }
    close(ends[0]);
    struct stat pipe;
    bool seen = false;
    if (child > 0 && fstat(ends[1], &pipe) == 0)
        for (int tries = 0; tries < 200 && !seen; ++tries) {
            seen = readsInput(child, pipe, 0);
            if (!seen)
                usleep(5000);
        }
    close(ends[1]);
    if (child > 0)
        waitpid(child, nullptr, 0);
    if (!seen)
        why = readFile("/proc/self/syscall") ? WaitMode::NotShown : WaitMode::Unreadable;
    return seen;
}
#else
bool readsInput(pid_t, const struct stat &, int) {
    return false;
}

bool procShowsReads(WaitMode::Reason &why) {
    why = WaitMode::NoProc;
    return false;
}
#endif

// True when the program waits for its next line: it reads, with nothing left in the pipe.
bool waitingForInput(pid_t child, int inputPipe) {
    int unread = 0;
    struct stat pipe;
    if (ioctl(inputPipe, FIONREAD, &unread) != 0 || unread > 0 || fstat(inputPipe, &pipe) != 0)
        return false;
    return readsInput(child, pipe, 3);
}

using Clock = std::chrono::steady_clock;

// The preload libraries by file name, found through LD_LIBRARY_PATH: the dynamic loader cuts
// LD_PRELOAD at every space, and a folder's path may hold spaces.
void addPreloads(std::vector<std::string> &environment, const std::vector<fs::path> &libraries) {
    std::string names, folders;
    for (const fs::path &library : libraries) {
        names += (names.empty() ? "" : ":") + library.filename().string();
        folders += (folders.empty() ? "" : ":") + library.parent_path().string();
    }
    const char *path = getenv("LD_LIBRARY_PATH");
    if (path != nullptr && *path != '\0')
        folders += std::string(":") + path;
    environment.push_back("LD_PRELOAD=" + names);
    environment.push_back("LD_LIBRARY_PATH=" + folders);
}

}  // namespace

const WaitMode &waitMode() {
    static const WaitMode mode = [] {
        WaitMode decided;
        const char *forced = getenv("TRANSCRIPT_WAIT");
        if (forced != nullptr && strcmp(forced, "quiet") == 0)
            return decided;
        decided.exact = procShowsReads(decided.reason);
        return decided;
    }();
    return mode;
}

Run runCase(const fs::path &program, const Case &c, const RunOptions &given) {
    Run run;
    RunOptions options = given;
    if (!c.failCall.empty()) {
        // The failcall preload makes the call fail, beside any other preload of the run.
        const char *failcall = getenv("TRANSCRIPT_FAILCALL");
        if (failcall == nullptr) {
            run.setupError = "the case's fail file needs TRANSCRIPT_FAILCALL, the failcall library";
            return run;
        }
        options.preloads.push_back(failcall);
        options.environment.push_back("FAIL_CALL=" + c.failCall);
    }
    if (!options.preloads.empty() && options.emulator.empty())
        addPreloads(options.environment, options.preloads);
    if (!watchChildren(run.setupError) || !prepare(c, run))
        return run;
    run.started = true;

    // Under an emulator (qemu-user), the program and its name are the emulator's arguments,
    // and so is what the dynamic loader of the emulated system reads: qemu's own loader must
    // not try to preload a library of another architecture.
    const std::string argv0 = c.argv0.value_or(program.filename().string());
    std::vector<std::string> arguments;
    if (options.emulator.empty()) {
        arguments.push_back(argv0);
    } else {
        arguments = options.emulator;
        arguments.insert(arguments.end(), {"-0", argv0});
        if (!options.preloads.empty()) {
            std::vector<std::string> loaderSettings;
            addPreloads(loaderSettings, options.preloads);
            for (const std::string &setting : loaderSettings)
                arguments.insert(arguments.end(), {"-E", setting});
        }
        arguments.push_back(program.string());
    }
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);

    const fs::path inputFile = run.scratch / "stdin";
    const fs::path outputFile =
        options.outputPath.empty() ? run.scratch / "stdout" : fs::path(options.outputPath);
    const fs::path errorFile = run.scratch / "stderr";
    if (!options.conversation) {
        FILE *file = fopen(inputFile.c_str(), "wb");
        const std::string &text = c.input.value_or("");
        if (file == nullptr || fwrite(text.data(), 1, text.size(), file) != text.size() ||
            fclose(file) != 0) {
            run.started = false;
            run.setupError = "cannot write the input file";
            return run;
        }
    }
    int toChild[2] = {-1, -1};
    int fromChild[2] = {-1, -1};
    if (options.conversation && (!makePipe(toChild) || !makePipe(fromChild))) {
        run.started = false;
        run.setupError = std::string("pipe: ") + strerror(errno);
        return run;
    }
    const bool exact = options.conversation && waitMode().exact;

    forget(childEnded[0]);
    fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        int in, out;
        if (options.conversation) {
            in = toChild[0];
            out = options.outputPath.empty() ? fromChild[1]
                                             : open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        } else {
            in = open(inputFile.c_str(), O_RDONLY);
            out = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        }
        const int err = open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0 || chdir((run.scratch / "work").c_str()) != 0 ||
            dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0)
            _exit(126);
        for (const std::string &setting : options.environment)
            putenv(const_cast<char *>(setting.c_str()));
        signal(SIGPIPE, SIG_DFL);
        // The emulator is looked for on PATH; a program is run as it is, so that one built for
        // another system fails to start (127) instead of being handed to the shell.
        if (options.emulator.empty())
            execv(program.c_str(), argv.data());
        else
            execvp(options.emulator[0].c_str(), argv.data());
        _exit(127);
    }
    // The runner keeps its own copy of the input pipe's reading end: there it counts what the
    // program has not read yet, on any system.
    if (options.conversation)
        close(fromChild[1]);
    if (child < 0) {
        run.started = false;
        run.setupError = std::string("fork: ") + strerror(errno);
        return run;
    }
    const Clock::time_point started = Clock::now();
    const Clock::time_point deadline = started + std::chrono::seconds(options.seconds);

    std::vector<std::string> lines;
    if (options.conversation) {
        lines = linesWithEnds(c.input.value_or(""));
        fcntl(fromChild[0], F_SETFL, O_NONBLOCK);
        fcntl(toChild[1], F_SETFL, O_NONBLOCK);
    }
    size_t nextLine = 0;
    bool shownSinceLastLine = false;
    bool inputOpen = options.conversation;
    // Without /proc: when the program last wrote, and since when its input pipe is empty.
    Clock::time_point lastOutput = started;
    Clock::time_point inputEmptySince = started;
    bool inputPending = false;
    std::string toWrite;

    int status = 0;
    bool exited = false;
    while (!exited) {
        if (Clock::now() >= deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            if (options.conversation)
                drain(fromChild[0], run.output, shownSinceLastLine);
            break;
        }
        pollfd watched[2] = {{childEnded[0], POLLIN, 0},
                             {options.conversation ? fromChild[0] : -1, POLLIN, 0}};
        poll(watched, 2, options.conversation ? 5 : 50);
        forget(childEnded[0]);
        if (waitpid(child, &status, WNOHANG) == child) {
            exited = true;
            run.finished = true;
        }
        if (!options.conversation)
            continue;
        bool wrote = false;
        drain(fromChild[0], run.output, wrote);
        const Clock::time_point now = Clock::now();
        if (wrote) {
            shownSinceLastLine = true;
            lastOutput = now;
        }
        if (exited || !inputOpen)
            continue;
        // A long line goes in as the pipe takes it: the program may never read all of it.
        if (!toWrite.empty()) {
            const ssize_t count = write(toChild[1], toWrite.data(), toWrite.size());
            if (count > 0) {
                toWrite.erase(0, static_cast<size_t>(count));
            } else if (count < 0 && errno != EAGAIN) {
                close(toChild[1]);
                inputOpen = false;
                continue;
            }
        }
        // After a last line without a line feed, the program still reads that same line.
        const bool sameLine = nextLine > 0 && lines[nextLine - 1].back() != '\n';
        bool waiting;
        if (exact) {
            waiting = toWrite.empty() && waitingForInput(child, toChild[0]);
        } else {
            int unread = 0;
            if (ioctl(toChild[0], FIONREAD, &unread) != 0)
                unread = 0;
            if (unread > 0)
                inputPending = true;
            else if (inputPending) {
                inputPending = false;
                inputEmptySince = now;
            }
            // All input read and a quiet spell: the program waits. A program that has shown
            // nothing since its last line is given longer, in case it is only slow.
            const Clock::time_point quietSince = std::max(lastOutput, inputEmptySince);
            const auto quiet = std::chrono::milliseconds(
                shownSinceLastLine || sameLine ? quietMilliseconds : patienceMilliseconds);
            waiting = toWrite.empty() && unread == 0 && now - quietSince >= quiet;
        }
        if (!waiting)
            continue;
        // Whatever it wrote before it began to wait is in the pipe by now.
        drain(fromChild[0], run.output, shownSinceLastLine);
        if (!shownSinceLastLine && !sameLine && !run.silentWait) {
            run.silentWait = true;
            run.silentWaitInputLine = static_cast<int>(nextLine) + 1;
            run.outputBeforeSilentWait = run.output;
        }
        if (nextLine < lines.size()) {
            toWrite = lines[nextLine++];
            inputPending = true;
        } else {
            close(toChild[1]);
            inputOpen = false;
        }
        shownSinceLastLine = false;
    }
    if (options.conversation) {
        if (inputOpen)
            close(toChild[1]);
        close(toChild[0]);
        close(fromChild[0]);
    }
    run.seconds = std::chrono::duration<double>(Clock::now() - started).count();
    if (run.finished)
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    if (!options.conversation && options.outputPath.empty())
        run.output = readFile(outputFile).value_or("");
    run.errors = readFile(errorFile).value_or("");
    return run;
}

std::vector<Problem> judge(const Case &c, const Run &run, int seconds) {
    std::vector<Problem> problems;
    auto add = [&problems](Problem::Kind kind, std::string detail = {}) -> Problem & {
        problems.push_back(Problem{kind, std::move(detail), {}, {}, 0, 0});
        return problems.back();
    };
    if (!run.finished) {
        add(Problem::Timeout, std::to_string(seconds));
    } else if (run.status < 0) {
        add(Problem::Signal).actualStatus = -run.status;
    } else if (run.status != c.status) {
        Problem &p = add(Problem::Status);
        p.expectedStatus = c.status;
        p.actualStatus = run.status;
    }
    if (run.silentWait) {
        Problem &p = add(Problem::SilentWait, std::to_string(run.silentWaitInputLine));
        p.actual = run.outputBeforeSilentWait;
    }
    if (c.output) {
        if (run.output != *c.output) {
            Problem &p = add(Problem::Output);
            p.expected = *c.output;
            p.actual = run.output;
        }
    } else {
        std::string why;
        if (!matchPattern(*c.pattern, run.output, why)) {
            Problem &p = add(Problem::Pattern, why);
            p.expected = *c.pattern;
            p.actual = run.output;
        }
    }
    if (run.errors != c.errors) {
        Problem &p = add(Problem::Errors);
        p.expected = c.errors;
        p.actual = run.errors;
    }
    const fs::path work = run.scratch / "work";
    std::error_code ec;
    if (fs::exists(c.folder / "expect")) {
        for (const auto &entry : fs::recursive_directory_iterator(c.folder / "expect", ec)) {
            if (!entry.is_regular_file())
                continue;
            const std::string relative = fs::relative(entry.path(), c.folder / "expect").string();
            const auto written = readFile(work / relative);
            const auto wanted = readFile(entry.path());
            if (!written) {
                add(Problem::FileMissing, relative);
            } else if (*written != *wanted) {
                Problem &p = add(Problem::FileDiffers, relative);
                p.expected = wanted.value_or("");
                p.actual = *written;
            }
        }
    }
    for (const std::string &name : c.absent)
        if (fs::exists(fs::symlink_status(work / name)))
            add(Problem::FilePresent, name);
    return problems;
}

namespace {

// How many lines of each text are left out of their longest common subsequence.
size_t unmatchedLines(const std::vector<std::string> &a, const std::vector<std::string> &b) {
    if (a.size() * b.size() > 25'000'000) {  // too big to align: compare by position
        size_t differing = std::max(a.size(), b.size()) - std::min(a.size(), b.size());
        for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
            differing += a[i] != b[i];
        return differing;
    }
    std::vector<size_t> previous(b.size() + 1, 0), current(b.size() + 1, 0);
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j)
            current[j] = a[i - 1] == b[j - 1] ? previous[j - 1] + 1
                                              : std::max(previous[j], current[j - 1]);
        std::swap(previous, current);
    }
    const size_t common = previous[b.size()];
    return std::max(a.size(), b.size()) - common;
}

constexpr int contextLines = 3;

}  // namespace

std::string compactDiff(const std::string &expected, const std::string &actual,
                        const DiffWords &words) {
    const auto want = linesWithEnds(expected);
    const auto got = linesWithEnds(actual);
    size_t line = 0;
    while (line < want.size() && line < got.size() && want[line] == got[line])
        ++line;
    const std::string wantLine = line < want.size() ? want[line] : std::string{};
    const std::string gotLine = line < got.size() ? got[line] : std::string{};
    size_t column = 0;
    while (column < wantLine.size() && column < gotLine.size() && wantLine[column] == gotLine[column])
        ++column;

    char heading[160];
    snprintf(heading, sizeof heading, "%s %zu, %s %zu\n", words.line, line + 1, words.column,
             column + 1);
    std::string shown = heading;
    const size_t first = line > contextLines ? line - contextLines : 0;
    for (size_t i = first; i < line; ++i)
        shown += "      " + visible(want[i]) + "\n";
    // The marker stands under the first differing byte, counted in visible characters.
    const size_t markerAt = visible(wantLine.substr(0, column)).size();
    char label[32];
    snprintf(label, sizeof label, "%-8.8s", words.expected);
    shown += std::string(label).substr(0, 8) + "| " + visible(wantLine) + "\n";
    snprintf(label, sizeof label, "%-8.8s", words.actual);
    shown += std::string(label).substr(0, 8) + "| " + visible(gotLine) + "\n";
    shown += std::string(10 + markerAt, ' ') + "^\n";
    for (size_t i = line + 1; i < want.size() && i <= line + contextLines; ++i)
        shown += "      " + visible(want[i]) + "\n";

    const size_t left = want.size() > line + 1 ? want.size() - line - 1 : 0;
    const size_t right = got.size() > line + 1 ? got.size() - line - 1 : 0;
    const std::vector<std::string> restWant(want.end() - static_cast<long>(left), want.end());
    const std::vector<std::string> restGot(got.end() - static_cast<long>(right), got.end());
    const size_t others = unmatchedLines(restWant, restGot);
    if (others == 0)
        shown += std::string(words.noOtherLine) + "\n";
    else if (others == 1)
        shown += std::string(words.oneOtherLine) + "\n";
    else
        shown += std::to_string(others) + " " + words.otherLines + "\n";
    return shown;
}

int patternLine(const std::string &why) {
    const std::string prefix = "output line ";
    return why.rfind(prefix, 0) == 0 ? std::max(1, atoi(why.c_str() + prefix.size())) : 1;
}

std::string context(const std::string &text, int line) {
    const auto all = linesWithEnds(text);
    std::string shown;
    const int first = std::max(1, line - contextLines);
    const int last = std::min(static_cast<int>(all.size()), line + contextLines);
    for (int i = first; i <= last; ++i) {
        char number[32];
        snprintf(number, sizeof number, "%s%4d| ", i == line ? ">" : " ", i);
        shown += number + visible(all[static_cast<size_t>(i - 1)]) + "\n";
    }
    return shown;
}
