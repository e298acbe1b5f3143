// Running a program on a transcript case.
#include "run.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/syscall.h>
#endif

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char *const fixedLocale = "C.UTF-8";
const char *const fixedPath = "/usr/local/bin:/usr/bin:/bin";

std::string temporaryFolder() {
    const char *folder = getenv("TMPDIR");
    return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

namespace {

using Clock = std::chrono::steady_clock;

// Writes the case's files/ into the working folder. The copies are writable whatever the case
// files' mode was (a read-only checkout), since programs rewrite the files they are given.
bool writeFiles(const std::vector<CaseFile> &files, const fs::path &work, std::string &why) {
    std::error_code ec;
    for (const CaseFile &file : files) {
        const fs::path path = work / file.path;
        if (file.folder) {
            fs::create_directories(path, ec);
        } else {
            FILE *out = fopen(path.c_str(), "wb");
            if (out == nullptr || fwrite(file.bytes.data(), 1, file.bytes.size(), out) != file.bytes.size() ||
                fclose(out) != 0) {
                why = "cannot write the case's file " + file.path + ": " + strerror(errno);
                return false;
            }
            if (file.executable)
                fs::permissions(path, fs::perms::owner_exec, fs::perm_options::add, ec);
        }
        if (ec) {
            why = "cannot make the case's folder " + file.path + ": " + ec.message();
            return false;
        }
    }
    return true;
}

// Makes the scratch folder and its work/ folder, with the case's files and links in it.
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
    if (ec) {
        run.setupError = "cannot make the working folder: " + ec.message();
        return false;
    }
    if (!writeFiles(c.files, work, run.setupError))
        return false;
    // Links are made here rather than kept in the tree, where a link to a device would
    // hang any tool that reads every file.
    for (const std::string &link : c.links) {
        const size_t arrow = link.find(" -> ");
        fs::create_symlink(link.substr(arrow + 4), work / link.substr(0, arrow), ec);
        if (ec) {
            run.setupError = "cannot make the link " + link + ": " + ec.message();
            return false;
        }
    }
    return true;
}

// Opens each step of a path inside a folder without following a link; -1 when a step is a
// link or missing (errno says which: ELOOP, ENOTDIR or ENOENT).
int openInside(int folder, const std::string &path, int flags) {
    int at = dup(folder);
    size_t start = 0;
    while (at >= 0) {
        const size_t slash = path.find('/', start);
        const std::string step = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        const bool last = slash == std::string::npos;
        const int next = step.empty() || step == "." ? dup(at)
                         : step == ".."              ? (errno = EACCES, -1)
                                                     : openat(at, step.c_str(),
                                                              last ? flags | O_NOFOLLOW | O_CLOEXEC
                                                                   : O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        const int saved = errno;
        close(at);
        errno = saved;
        at = next;
        if (last)
            break;
        start = slash + 1;
    }
    return at;
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

// Reads what a pipe holds, keeping at most limit bytes in all; false once the program wrote
// more than that.
bool drain(int fd, std::string &into, long limit, bool &sawNew) {
    char block[65536];
    for (;;) {
        const ssize_t count = read(fd, block, sizeof block);
        if (count <= 0)
            return true;
        sawNew = true;
        const size_t room = limit > 0 ? static_cast<size_t>(limit) - std::min(into.size(), static_cast<size_t>(limit))
                                      : static_cast<size_t>(count);
        into.append(block, std::min(room, static_cast<size_t>(count)));
        if (limit > 0 && static_cast<size_t>(count) > room)
            return false;
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

// True when the process, or one it started (a script that runs the program, the sandbox),
// sleeps in a read of its standard input, and that input is the pipe the runner writes to.
// The first fields of /proc/<pid>/syscall are the call's number and its first argument.
bool readsInput(pid_t process, const struct stat &pipe, int depth) {
    const std::string proc = "/proc/" + std::to_string(process);
    const std::string calls = readFile(proc + "/syscall", 256).value_or("");
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
        readFile(proc + "/task/" + std::to_string(process) + "/children", 4096).value_or("");
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
        why = readFile("/proc/self/syscall", 256) ? WaitMode::NotShown : WaitMode::Unreadable;
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
    return readsInput(child, pipe, 4);
}

// The preload libraries by file name, found through LD_LIBRARY_PATH: the dynamic loader cuts
// LD_PRELOAD at every space, and a folder's path may hold spaces.
std::vector<std::string> preloadSettings(const std::vector<fs::path> &libraries) {
    std::string names, folders;
    for (const fs::path &library : libraries) {
        names += (names.empty() ? "" : ":") + library.filename().string();
        folders += (folders.empty() ? "" : ":") + library.parent_path().string();
    }
    return {"LD_PRELOAD=" + names, "LD_LIBRARY_PATH=" + folders};
}

// A program built with AddressSanitizer reserves terabytes of address space for itself: a
// memory limit would stop it before main.
bool sanitized(const fs::path &program) {
    static fs::path known;
    static bool answer = false;
    if (program != known) {
        known = program;
        answer = readFile(program, 256L << 20).value_or("").find("__asan_init") != std::string::npos;
    }
    return answer;
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

WorkFile readWorkFile(const fs::path &work, const std::string &path, size_t limit, std::string &bytes) {
    bytes.clear();
    const int folder = open(work.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int fd = folder < 0 ? -1 : openInside(folder, path, O_RDONLY | O_NONBLOCK);
    const int error = errno;
    if (folder >= 0)
        close(folder);
    struct stat status;
    if (fd < 0)
        return error == ENOENT ? WorkFile::Missing : WorkFile::NotRegular;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        return WorkFile::NotRegular;
    }
    char block[65536];
    ssize_t count;
    while (bytes.size() < limit && (count = read(fd, block, std::min(sizeof block, limit - bytes.size()))) > 0)
        bytes.append(block, static_cast<size_t>(count));
    close(fd);
    return WorkFile::Read;
}

bool cleanUp(const Run &run, bool keep, const Limits &limits) {
    std::error_code ec;
    if (run.scratch.empty())
        return false;
    if (keep) {
        uintmax_t size = 0;
        for (auto entry = fs::recursive_directory_iterator(run.scratch, ec);
             !ec && entry != fs::recursive_directory_iterator(); entry.increment(ec))
            if (entry->is_regular_file(ec) && !entry->is_symlink(ec))
                size += entry->file_size(ec);
        if (!ec && (limits.keptBytes == 0 || size <= static_cast<uintmax_t>(limits.keptBytes)))
            return true;
    }
    fs::remove_all(run.scratch, ec);
    return false;
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
    if (!watchChildren(run.setupError) || !prepare(c, run) ||
        (options.confined && !handOver(run.scratch, run.scratch / "work", run.setupError)))
        return run;
    run.started = true;
    const fs::path work = run.scratch / "work";
    std::error_code selfError;

    // The program's environment: the fixed settings, then the options' own.
    std::vector<std::string> environment = {std::string("LC_ALL=") + fixedLocale,
                                            std::string("LANG=") + fixedLocale,
                                            std::string("PATH=") + fixedPath,
                                            "HOME=" + work.string()};
    for (const std::string &setting : options.environment) {
        // A setting of the options replaces the fixed one of the same name (LC_ALL for a compiler).
        const std::string name = setting.substr(0, setting.find('=') + 1);
        environment.erase(std::remove_if(environment.begin(), environment.end(),
                                         [&name](const std::string &fixed) { return fixed.rfind(name, 0) == 0; }),
                          environment.end());
        environment.push_back(setting);
    }
    if (!options.preloads.empty() && options.emulator.empty())
        for (const std::string &setting : preloadSettings(options.preloads))
            environment.push_back(setting);

    // What is run: the program itself, or the program under a wrapper (valgrind), or under the
    // emulator (qemu-user, which takes the program's name, and what the emulated system's
    // loader reads, as options of its own); in the sandbox, the front end itself starts it with
    // its name (--exec-as).
    const std::string argv0 = c.argv0.value_or(program.filename().string());
    // An emulator and a wrapper reserve far more address space than the program uses.
    if (!options.emulator.empty() || !options.wrapper.empty() || sanitized(program))
        options.limits.memoryMiB = 0;
    // The whole run's memory, with a group; without one, each process's address space (in the
    // box, the helper sets it: the box's own programs may be built with the sanitizers).
    RunGroup group;
    const bool grouped = options.confined && group.make(given.limits, options.sandbox ? 3 : 0);
    const std::string addressSpace = std::to_string(options.limits.memoryMiB << 20);
    std::vector<std::string> arguments;
    const std::string self = fs::canonical("/proc/self/exe", selfError).string();
    std::vector<BoxFile> boxFiles;
    // Run as nobody without the box, the program may be where nobody cannot reach it: it is
    // opened here, and started from that descriptor.
    const bool fromDescriptor = !options.sandbox && options.confined && boxUser().drop && !inSystemFolder(program);
    if (options.sandbox) {
        // The program, copied where the box's user reaches it, and bound at its own path.
        if (!inSystemFolder(program)) {
            const fs::path copy = run.scratch / "programa";
            std::error_code copyError;
            fs::copy_file(program, copy, copyError);
            if (copyError || chmod(copy.c_str(), 0555) != 0) {
                run.started = false;
                run.setupError = "cannot copy the program for the box: " + copyError.message();
                return run;
            }
            boxFiles.push_back({copy, program.string(), true});
        }
        boxFiles.push_back({self, self});
        for (const fs::path &library : options.preloads)
            boxFiles.push_back({library, library.string()});
        boxFiles.insert(boxFiles.end(), options.shown.begin(), options.shown.end());
        arguments = sandboxWords(work, boxFiles, options.limits.diskBytes);
    }
    if (options.sandbox && options.emulator.empty()) {
        // --exec-as BYTES PROGRAM NAME ARGUMENTS: the program alone, with its name, or the wrapper.
        if (options.wrapper.empty()) {
            arguments.insert(arguments.end(), {self, execAsOption, addressSpace, program.string(), argv0});
        } else {
            arguments.insert(arguments.end(), {self, execAsOption, "0", onPath(options.wrapper[0])});
            arguments.insert(arguments.end(), options.wrapper.begin(), options.wrapper.end());
            arguments.push_back(program.string());
        }
    } else if (!options.wrapper.empty()) {
        arguments.insert(arguments.end(), options.wrapper.begin(), options.wrapper.end());
        arguments.push_back(program.string());
    } else if (!options.emulator.empty()) {
        arguments.insert(arguments.end(), options.emulator.begin(), options.emulator.end());
        arguments.insert(arguments.end(), {"-0", argv0});
        if (!options.preloads.empty())
            for (const std::string &setting : preloadSettings(options.preloads))
                arguments.insert(arguments.end(), {"-E", setting});
        arguments.push_back(program.string());
    }
    const bool direct = arguments.empty();
    if (direct)
        arguments.push_back(argv0);
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char *> envp;
    for (const std::string &setting : environment)
        envp.push_back(const_cast<char *>(setting.c_str()));
    envp.push_back(nullptr);
    const std::string executable = direct ? program.string() : onPath(arguments[0]);
    const fs::path inputFile = run.scratch / "stdin";
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
    int errorsFromChild[2] = {-1, -1};
    int execFailed[2] = {-1, -1};  // the child writes exec's errno here when exec fails
    int sandboxStatus[2] = {-1, -1};  // in the sandbox, --exec-as tells how the program ended
    if ((options.conversation && !makePipe(toChild)) || !makePipe(fromChild) ||
        !makePipe(errorsFromChild) || !makePipe(execFailed) ||
        (options.sandbox && !makePipe(sandboxStatus))) {
        run.started = false;
        run.setupError = std::string("pipe: ") + strerror(errno);
        return run;
    }
    std::vector<int> boxDescriptors;
    for (const BoxFile &file : boxFiles) {
        if (file.byPath)
            continue;
        boxDescriptors.push_back(open(file.from.c_str(), O_RDONLY | O_CLOEXEC));
        if (boxDescriptors.back() < 0) {
            const int error = errno;
            for (const int fd : boxDescriptors)
                if (fd >= 0)
                    close(fd);
            run.started = false;
            run.setupError = "cannot open " + file.from.string() + " for the box: " + strerror(error);
            return run;
        }
    }
    auto closeBoxDescriptors = [&boxDescriptors] {
        for (const int fd : boxDescriptors)
            close(fd);
        boxDescriptors.clear();
    };

    // Not closed on exec: a script started from it reads itself through /dev/fd.
    const int programDescriptor = direct && fromDescriptor ? open(program.c_str(), O_RDONLY) : -1;
    const bool exact = options.conversation && waitMode().exact;
    const uid_t user = boxUser().drop && options.confined ? boxUser().uid : getuid();
    const long processesBefore = options.limits.processes > 0 && !grouped ? processesOf(user) : -1;

    forget(childEnded[0]);
    fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        // Its own process group, so that whatever it starts ends with it.
        setpgid(0, 0);
        // Descriptors 3 and 4 are about to be given out: exec's report moves out of their way.
        const int failed = fcntl(execFailed[1], F_DUPFD_CLOEXEC, 10);
        const int in = options.conversation ? toChild[0] : open(inputFile.c_str(), O_RDONLY);
        const int out = options.outputPath.empty()
                            ? fromChild[1]
                            : open(options.outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || chdir(work.c_str()) != 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 ||
            dup2(errorsFromChild[1], 2) < 0)
            _exit(126);
        if (options.sandbox && (dup2(sandboxStatus[1], statusDescriptor) < 0 ||
                                fcntl(statusDescriptor, F_SETFD, 0) != 0))
            _exit(126);
        // The files bubblewrap copies into the box, at the descriptors its words name.
        for (size_t i = 0; i < boxDescriptors.size(); ++i)
            if (dup2(boxDescriptors[i], firstBoxDescriptor + static_cast<int>(i)) < 0)
                _exit(126);
        if (options.wrapperLog) {
            const int log = open((run.scratch / "wrapper.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (log < 0 || dup2(log, 3) < 0)
                _exit(126);
        }
        signal(SIGPIPE, SIG_DFL);
        applyLimits(options.limits, !options.sandbox, processesBefore);
        // Into its group and out of the runner's privileges, before any of its code runs.
        if ((grouped && !group.enter()) || (options.confined && !dropPrivileges(options.sandbox)))
            _exit(126);
        // A program is run as it is, so that one built for another system fails to start
        // (ENOEXEC) instead of being handed to the shell.
        if (programDescriptor >= 0)
            fexecve(programDescriptor, argv.data(), envp.data());
        else
            execve(executable.c_str(), argv.data(), envp.data());
        const int error = errno;
        if (write(failed, &error, sizeof error) < 0) {
            // the runner then sees status 127 alone
        }
        _exit(127);
    }
    close(fromChild[1]);
    close(errorsFromChild[1]);
    close(execFailed[1]);
    closeBoxDescriptors();
    if (programDescriptor >= 0)
        close(programDescriptor);
    if (options.sandbox)
        close(sandboxStatus[1]);
    if (child < 0) {
        run.started = false;
        run.setupError = std::string("fork: ") + strerror(errno);
        close(fromChild[0]);
        close(errorsFromChild[0]);
        close(execFailed[0]);
        return run;
    }
    setpgid(child, child);
    const Clock::time_point started = Clock::now();
    const Clock::time_point deadline =
        started + std::chrono::milliseconds(static_cast<long>(options.limits.wallSeconds * 1000));

    std::vector<std::string> lines;
    fcntl(fromChild[0], F_SETFL, O_NONBLOCK);
    fcntl(errorsFromChild[0], F_SETFL, O_NONBLOCK);
    if (options.conversation) {
        // The runner keeps its own copy of the input pipe's reading end: there it counts what
        // the program has not read yet, on any system.
        lines = linesWithEnds(c.input.value_or(""));
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
    auto stop = [&](Run::Stop why) {
        run.stopped = why;
        kill(-child, SIGKILL);
        kill(child, SIGKILL);
        group.killAll();
        waitpid(child, &status, 0);
    };
    const bool watchDisk = options.confined && options.limits.diskBytes > 0;
    while (!exited) {
        if (options.limits.wallSeconds > 0 && Clock::now() >= deadline) {
            stop(Run::WallTime);
            break;
        }
        if (watchDisk && folderBytes(work, options.limits.diskBytes) > options.limits.diskBytes) {
            stop(Run::Disk);
            break;
        }
        // Once the kernel has killed a process of it for memory, the rest would only thrash.
        if (grouped && group.memoryExhausted()) {
            stop(Run::Memory);
            break;
        }
        pollfd watched[3] = {{childEnded[0], POLLIN, 0}, {fromChild[0], POLLIN, 0},
                             {errorsFromChild[0], POLLIN, 0}};
        poll(watched, 3, options.conversation ? 5 : 50);
        forget(childEnded[0]);
        if (waitpid(child, &status, WNOHANG) == child)
            exited = true;
        bool wrote = false, ignored = false;
        if (!drain(fromChild[0], run.output, options.limits.outputBytes, wrote)) {
            stop(Run::Output);
            break;
        }
        if (!drain(errorsFromChild[0], run.errors, options.limits.outputBytes, ignored)) {
            stop(Run::ErrorOutput);
            break;
        }
        if (!options.conversation)
            continue;
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
            // nothing since its last line is given longer, in case it is only slow; once it has
            // been seen waiting so, the case has failed, and its other lines need not wait.
            const Clock::time_point quietSince = std::max(lastOutput, inputEmptySince);
            const auto quiet = std::chrono::milliseconds(
                shownSinceLastLine || sameLine || run.silentWait ? quietMilliseconds : patienceMilliseconds);
            waiting = toWrite.empty() && unread == 0 && now - quietSince >= quiet;
        }
        if (!waiting)
            continue;
        // Whatever it wrote before it began to wait is in the pipe by now.
        if (!drain(fromChild[0], run.output, options.limits.outputBytes, shownSinceLastLine)) {
            stop(Run::Output);
            break;
        }
        if (!shownSinceLastLine && !sameLine && !run.silentWait) {
            run.silentWait = true;
            run.silentWaitInputLine = static_cast<int>(nextLine) + 1;
        }
        if (nextLine < lines.size()) {
            run.inputAt.push_back(run.output.size());
            toWrite = lines[nextLine++];
            inputPending = true;
        } else {
            close(toChild[1]);
            inputOpen = false;
        }
        shownSinceLastLine = false;
    }
    // Whatever is left in the pipes, and whatever the program started that is still there.
    bool ignored = false;
    if (run.stopped == Run::NotStopped) {
        if (!drain(fromChild[0], run.output, options.limits.outputBytes, ignored))
            run.stopped = Run::Output;
        if (!drain(errorsFromChild[0], run.errors, options.limits.outputBytes, ignored))
            run.stopped = Run::ErrorOutput;
    }
    kill(-child, SIGKILL);
    group.killAll();
    // What the group saw: the most memory held at once, and a process killed for memory.
    run.peakMemory = group.peakBytes();
    run.processLimitHit = group.processesExhausted();
    if (run.stopped == Run::NotStopped && group.memoryExhausted())
        run.stopped = Run::Memory;
    if (run.stopped == Run::NotStopped && watchDisk &&
        folderBytes(work, options.limits.diskBytes) > options.limits.diskBytes)
        run.stopped = Run::Disk;
    run.finished = run.stopped == Run::NotStopped;
    if (options.conversation) {
        if (inputOpen)
            close(toChild[1]);
        close(toChild[0]);
    }
    close(fromChild[0]);
    close(errorsFromChild[0]);
    int error = 0;
    if (read(execFailed[0], &error, sizeof error) == static_cast<ssize_t>(sizeof error))
        run.execError = error;
    close(execFailed[0]);
    if (options.sandbox) {
        int report[2] = {0, 0};
        if (read(sandboxStatus[0], report, sizeof report) == static_cast<ssize_t>(sizeof report)) {
            if (report[0] == 1)
                run.execError = report[1];
            else if (run.stopped == Run::NotStopped)
                status = report[1];
        }
        close(sandboxStatus[0]);
    }
    if (options.wrapperLog)
        run.wrapperLog = readFile(run.scratch / "wrapper.log", static_cast<size_t>(options.limits.outputBytes))
                             .value_or("");
    run.seconds = std::chrono::duration<double>(Clock::now() - started).count();
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    if (run.finished && run.status == -SIGXCPU) {
        run.finished = false;
        run.stopped = Run::CpuTime;
    }
    return run;
}
