// Loading, running and judging one transcript case.
#include "caso.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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
                                          "batch", "fail"};
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
    return true;
}

namespace {

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
    if (!ec && fs::exists(c.folder / "files"))
        fs::copy(c.folder / "files", work,
                 fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
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

int pidfdOpen(pid_t child) {
    return static_cast<int>(syscall(SYS_pidfd_open, child, 0));
}

// True when the process, or one it started (a script that runs the program), sleeps in
// read() on its standard input, and that input is the pipe the runner writes to.
bool readsInput(pid_t process, const struct stat &pipe, int depth) {
    const std::string proc = "/proc/" + std::to_string(process);
    const auto calls = readFile(proc + "/syscall");
    struct stat input;
    // "0 0x0 ..." is read (system call 0 on x86-64) from descriptor 0.
    if (calls && calls->rfind("0 0x0 ", 0) == 0 && stat((proc + "/fd/0").c_str(), &input) == 0 &&
        input.st_ino == pipe.st_ino && input.st_dev == pipe.st_dev)
        return true;
    if (depth == 0)
        return false;
    const std::string children =
        readFile(proc + "/task/" + std::to_string(process) + "/children").value_or("");
    const char *at = children.c_str();
    char *end = nullptr;
    for (long pid = strtol(at, &end, 10); end != at; pid = strtol(at, &end, 10)) {
        if (readsInput(static_cast<pid_t>(pid), pipe, depth - 1))
            return true;
        at = end;
    }
    return false;
}

// True when the program waits for its next line: it reads, with nothing left in the pipe.
bool waitingForInput(pid_t child, int inputPipe) {
    int unread = 0;
    struct stat pipe;
    if (ioctl(inputPipe, FIONREAD, &unread) != 0 || unread > 0 || fstat(inputPipe, &pipe) != 0)
        return false;
    return readsInput(child, pipe, 3);
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

}  // namespace

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
        auto preload = std::find_if(options.environment.begin(), options.environment.end(),
                                    [](const std::string &s) { return s.rfind("LD_PRELOAD=", 0) == 0; });
        if (preload != options.environment.end())
            *preload += std::string(":") + failcall;
        else
            options.environment.push_back(std::string("LD_PRELOAD=") + failcall);
        options.environment.push_back("FAIL_CALL=" + c.failCall);
    }
    if (!prepare(c, run))
        return run;
    run.started = true;

    std::vector<std::string> arguments{c.argv0.value_or(program.filename().string())};
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
    if (options.conversation && (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(fromChild, O_CLOEXEC) != 0)) {
        run.started = false;
        run.setupError = std::string("pipe: ") + strerror(errno);
        return run;
    }

    fflush(stdout);
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
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    if (options.conversation) {
        close(toChild[0]);
        close(fromChild[1]);
    }
    if (child < 0) {
        run.started = false;
        run.setupError = std::string("fork: ") + strerror(errno);
        return run;
    }
    const int pidfd = pidfdOpen(child);
    const time_t deadline = time(nullptr) + options.seconds;

    std::vector<std::string> lines;
    if (options.conversation) {
        lines = linesWithEnds(c.input.value_or(""));
        fcntl(fromChild[0], F_SETFL, O_NONBLOCK);
    }
    size_t nextLine = 0;
    bool shownSinceLastLine = false;
    bool inputOpen = options.conversation;

    int status = 0;
    bool exited = false;
    while (!exited) {
        if (time(nullptr) >= deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            if (options.conversation)
                drain(fromChild[0], run.output, shownSinceLastLine);
            break;
        }
        pollfd watched[2] = {{pidfd, POLLIN, 0}, {options.conversation ? fromChild[0] : -1, POLLIN, 0}};
        poll(watched, 2, options.conversation ? 5 : 50);
        if (waitpid(child, &status, WNOHANG) == child) {
            exited = true;
            run.finished = true;
        }
        if (!options.conversation)
            continue;
        drain(fromChild[0], run.output, shownSinceLastLine);
        if (exited || !inputOpen || !waitingForInput(child, toChild[1]))
            continue;
        // Whatever it wrote before it began to wait is in the pipe by now.
        drain(fromChild[0], run.output, shownSinceLastLine);
        // After a last line without a line feed, the program still reads that same line.
        const bool sameLine = nextLine > 0 && lines[nextLine - 1].back() != '\n';
        if (!shownSinceLastLine && !sameLine && !run.silentWait) {
            run.silentWait = true;
            run.silentWaitInputLine = static_cast<int>(nextLine) + 1;
            run.outputBeforeSilentWait = run.output;
        }
        if (nextLine < lines.size()) {
            const std::string &line = lines[nextLine++];
            if (write(toChild[1], line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
                close(toChild[1]);
                inputOpen = false;
            }
        } else {
            close(toChild[1]);
            inputOpen = false;
        }
        shownSinceLastLine = false;
    }
    if (options.conversation) {
        if (inputOpen)
            close(toChild[1]);
        close(fromChild[0]);
    }
    if (pidfd >= 0)
        close(pidfd);
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
