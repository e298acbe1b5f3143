// Runs one console transcript case: a program, its arguments and typed input, in a fresh
// scratch folder; then compares its output, exit status and written files with the case.
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
//
// Placeholders in stdout.pat match one number printed by the program and give it a name:
//   {{p:NAME}}  a pointer as %p prints it (0x...),   {{u:NAME}} a decimal number,
//   {{x:NAME}}  lower-case hex digits, {{X:NAME}} upper-case hex digits,
//   {{*}}       anything up to the next literal text on the same line.
// Blanks of a field width before the number belong to the placeholder. A name seen again
// must stand for the same value; NAME+OFF or NAME-OFF (decimal or 0x...) must stand for that
// value plus or minus OFF, which is how chained nodes and field offsets are checked.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "pattern.h"

namespace fs = std::filesystem;

namespace {

std::optional<std::string> readFile(const fs::path &path) {
    FILE *file = fopen(path.c_str(), "rb");
    if (file == nullptr)
        return std::nullopt;
    std::string bytes;
    char block[65536];
    size_t count;
    while ((count = fread(block, 1, sizeof block, file)) > 0)
        bytes.append(block, count);
    fclose(file);
    return bytes;
}

std::vector<std::string> lines(const std::string &text) {
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

// Prints a text a line at a time, each line with its number and its end made visible.
void show(const char *title, const std::string &text) {
    printf("---- %s (%zu bytes)\n", title, text.size());
    size_t start = 0;
    int number = 1;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const bool complete = end != std::string::npos;
        if (!complete)
            end = text.size() - 1;
        printf("%4d| %s\n", number++, visible(text.substr(start, end - start + 1)).c_str());
        start = end + 1;
    }
}

struct Outcome {
    bool finished = false;  // false: killed after the time limit
    int status = -1;        // exit status, or -signal
};

Outcome run(const fs::path &program, const std::vector<std::string> &arguments,
            const fs::path &work, const fs::path &input, const fs::path &out,
            const fs::path &err, int seconds) {
    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);

    fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        const int in = open(input.c_str(), O_RDONLY);
        const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || outFd < 0 || errFd < 0 || chdir(work.c_str()) != 0 ||
            dup2(in, 0) < 0 || dup2(outFd, 1) < 0 || dup2(errFd, 2) < 0)
            _exit(126);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    Outcome outcome;
    if (child < 0)
        return outcome;
    const time_t deadline = time(nullptr) + seconds;
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child)
            break;
        if (time(nullptr) >= deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return outcome;
        }
        usleep(5000);
    }
    outcome.finished = true;
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    return outcome;
}

std::vector<std::string> listLines(const fs::path &path) {
    const auto text = readFile(path);
    return text ? lines(*text) : std::vector<std::string>{};
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: %s <program> <case-folder>\n", argv[0]);
        return 2;
    }
    std::error_code ec;
    const fs::path program = fs::absolute(argv[1], ec);
    const fs::path folder = fs::absolute(argv[2], ec);
    bool passed = true;
    auto fail = [&passed](const std::string &message) {
        printf("FAIL: %s\n", message.c_str());
        passed = false;
    };

    char scratchName[] = "/tmp/transcript.XXXXXX";
    if (mkdtemp(scratchName) == nullptr) {
        perror("mkdtemp");
        return 2;
    }
    const fs::path scratch = scratchName;
    const fs::path work = scratch / "work";
    fs::create_directory(work, ec);
    if (fs::exists(folder / "files"))
        fs::copy(folder / "files", work, fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
    if (ec) {
        fprintf(stderr, "cannot copy the case's files: %s\n", ec.message().c_str());
        return 2;
    }
    // Links are made here rather than kept in the tree, where a link to a device would
    // hang any tool that reads every file.
    for (const std::string &link : listLines(folder / "links")) {
        if (link.empty())
            continue;
        const size_t arrow = link.find(" -> ");
        if (arrow == std::string::npos) {
            fprintf(stderr, "bad line in links: %s\n", link.c_str());
            return 2;
        }
        fs::create_symlink(link.substr(arrow + 4), work / link.substr(0, arrow), ec);
        if (ec) {
            fprintf(stderr, "cannot make the link %s: %s\n", link.c_str(), ec.message().c_str());
            return 2;
        }
    }

    std::vector<std::string> arguments{program.filename().string()};
    if (const auto name = readFile(folder / "argv0"))
        arguments[0] = lines(*name).empty() ? std::string{} : lines(*name)[0];
    if (const auto given = readFile(folder / "args")) {
        size_t start = 0;  // every line is an argument, an empty line an empty one
        while (start < given->size()) {
            size_t end = given->find('\n', start);
            if (end == std::string::npos)
                end = given->size();
            arguments.push_back(given->substr(start, end - start));
            start = end + 1;
        }
    }
    const fs::path input = fs::exists(folder / "stdin") ? folder / "stdin" : fs::path("/dev/null");
    const char *limit = getenv("TRANSCRIPT_TIMEOUT");
    const int seconds = limit != nullptr ? atoi(limit) : 20;

    const Outcome outcome = run(program, arguments, work, input, scratch / "stdout",
                                scratch / "stderr", seconds);
    const std::string out = readFile(scratch / "stdout").value_or("");
    const std::string err = readFile(scratch / "stderr").value_or("");

    int expectedStatus = 0;
    if (const auto status = readFile(folder / "status"))
        expectedStatus = atoi(status->c_str());
    if (!outcome.finished)
        fail("the program did not end within " + std::to_string(seconds) + " seconds");
    else if (outcome.status < 0)
        fail("the program was killed by signal " + std::to_string(-outcome.status));
    else if (outcome.status != expectedStatus)
        fail("exit status " + std::to_string(outcome.status) + ", expected " +
             std::to_string(expectedStatus));

    if (const auto expected = readFile(folder / "stdout")) {
        if (out != *expected) {
            size_t at = 0;
            while (at < out.size() && at < expected->size() && out[at] == (*expected)[at])
                ++at;
            fail("standard output differs from line " + std::to_string(lineOf(*expected, at)) +
                 " (byte " + std::to_string(at) + ")");
            show("expected", *expected);
            show("actual", out);
        }
    } else if (const auto pattern = readFile(folder / "stdout.pat")) {
        std::string why;
        if (!matchPattern(*pattern, out, why)) {
            fail("standard output does not match the pattern: " + why);
            show("pattern", *pattern);
            show("actual", out);
        }
    } else {
        fail("the case has neither stdout nor stdout.pat");
    }

    const std::string expectedErr = readFile(folder / "stderr").value_or("");
    if (err != expectedErr) {
        fail("standard error differs");
        show("expected stderr", expectedErr);
        show("actual stderr", err);
    }

    if (fs::exists(folder / "expect")) {
        for (const auto &entry : fs::recursive_directory_iterator(folder / "expect", ec)) {
            if (!entry.is_regular_file())
                continue;
            const fs::path relative = fs::relative(entry.path(), folder / "expect");
            const auto written = readFile(work / relative);
            const auto wanted = readFile(entry.path());
            if (!written) {
                fail("the program did not write " + relative.string());
            } else if (*written != *wanted) {
                fail("the file " + relative.string() + " differs");
                show("expected file", *wanted);
                show("written file", *written);
            }
        }
    }
    for (const std::string &name : listLines(folder / "absent"))
        if (!name.empty() && fs::exists(fs::symlink_status(work / name)))
            fail("the file " + name + " should not exist");

    if (passed) {
        fs::remove_all(scratch, ec);
        return 0;
    }
    printf("scratch folder kept: %s\n", scratch.c_str());
    return 1;
}
