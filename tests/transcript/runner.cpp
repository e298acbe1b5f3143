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
//   files/      copied into the scratch folder before the run (links are kept as links)
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
#include <map>
#include <optional>
#include <string>
#include <vector>

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

// Control bytes shown as escapes, so bells, tabs, NULs and line ends can be seen.
std::string visible(const std::string &text) {
    std::string shown;
    for (unsigned char c : text) {
        char escape[8];
        switch (c) {
        case '\n': shown += "\\n"; break;
        case '\t': shown += "\\t"; break;
        case '\r': shown += "\\r"; break;
        case '\a': shown += "\\a"; break;
        case '\\': shown += "\\\\"; break;
        default:
            if (c < 0x20 || c == 0x7f) {
                snprintf(escape, sizeof escape, "\\x%02x", c);
                shown += escape;
            } else {
                shown += static_cast<char>(c);
            }
        }
    }
    return shown;
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

int lineOf(const std::string &text, size_t offset) {
    int line = 1;
    for (size_t i = 0; i < offset && i < text.size(); ++i)
        line += text[i] == '\n';
    return line;
}

struct Token {
    bool literal;
    std::string text;   // the literal text, or the whole placeholder as written
    char kind = 0;      // p, u, x, X or *
    std::string name = {};
    int64_t offset = 0;
};

bool parsePattern(const std::string &pattern, std::vector<Token> &tokens, std::string &error) {
    size_t position = 0;
    while (position < pattern.size()) {
        const size_t open = pattern.find("{{", position);
        if (open != position) {
            const size_t end = open == std::string::npos ? pattern.size() : open;
            tokens.push_back({true, pattern.substr(position, end - position)});
            position = end;
            continue;
        }
        const size_t close = pattern.find("}}", open);
        if (close == std::string::npos) {
            error = "unclosed placeholder at line " + std::to_string(lineOf(pattern, open));
            return false;
        }
        const std::string inside = pattern.substr(open + 2, close - open - 2);
        Token token{false, pattern.substr(open, close + 2 - open)};
        if (inside == "*") {
            token.kind = '*';
        } else if (inside.size() > 2 && inside[1] == ':' && strchr("puxX", inside[0]) != nullptr) {
            token.kind = inside[0];
            std::string name = inside.substr(2);
            const size_t sign = name.find_first_of("+-");
            if (sign != std::string::npos) {
                const std::string amount = name.substr(sign + 1);
                char *end = nullptr;
                const long long value = strtoll(amount.c_str(), &end, 0);
                if (amount.empty() || *end != '\0') {
                    error = "bad offset in " + token.text;
                    return false;
                }
                token.offset = name[sign] == '+' ? value : -value;
                name.resize(sign);
            }
            token.name = name;
        } else {
            error = "unknown placeholder " + token.text;
            return false;
        }
        tokens.push_back(token);
        position = close + 2;
    }
    return true;
}

std::string inRadix(char kind, uint64_t value) {
    char text[32];
    snprintf(text, sizeof text, kind == 'u' ? "%llu" : kind == 'X' ? "%llX" : "%llx",
             static_cast<unsigned long long>(value));
    return text;
}

bool isDigitOf(char kind, char c) {
    switch (kind) {
    case 'u': return c >= '0' && c <= '9';
    case 'X': return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
    default: return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    }
}

// Matches the output against the pattern; on failure says where and why.
bool matchPattern(const std::string &pattern, const std::string &actual, std::string &why) {
    std::vector<Token> tokens;
    if (!parsePattern(pattern, tokens, why))
        return false;
    std::map<std::string, uint64_t> values;
    size_t position = 0;
    for (size_t t = 0; t < tokens.size(); ++t) {
        const Token &token = tokens[t];
        const std::string at = "output line " + std::to_string(lineOf(actual, position)) + ": ";
        if (token.literal) {
            if (actual.compare(position, token.text.size(), token.text) != 0) {
                why = at + "expected \"" + visible(token.text.substr(0, 60)) + "\" but found \"" +
                      visible(actual.substr(position, 60)) + "\"";
                return false;
            }
            position += token.text.size();
            continue;
        }
        if (token.kind == '*') {
            size_t lineEnd = actual.find('\n', position);
            if (lineEnd == std::string::npos)
                lineEnd = actual.size();
            size_t stop = lineEnd;
            if (t + 1 < tokens.size() && tokens[t + 1].literal) {
                // Only the part of the next literal on this line can be searched for; when
                // the literal starts a new line, the rest of this line is what matches.
                const std::string &next = tokens[t + 1].text;
                const std::string onThisLine = next.substr(0, next.find('\n'));
                const size_t found = onThisLine.empty() ? std::string::npos
                                                        : actual.find(onThisLine, position);
                if (found != std::string::npos && found <= lineEnd)
                    stop = found;
            }
            position = stop;
            continue;
        }
        while (position < actual.size() && actual[position] == ' ')
            ++position;
        if (token.kind == 'p') {
            if (actual.compare(position, 2, "0x") != 0) {
                why = at + token.text + " expects a pointer but found \"" +
                      visible(actual.substr(position, 20)) + "\"";
                return false;
            }
            position += 2;
        }
        const size_t start = position;
        while (position < actual.size() && isDigitOf(token.kind, actual[position]))
            ++position;
        if (position == start) {
            why = at + token.text + " expects a number but found \"" +
                  visible(actual.substr(start, 20)) + "\"";
            return false;
        }
        const std::string digits = actual.substr(start, position - start);
        const uint64_t value = strtoull(digits.c_str(), nullptr, token.kind == 'u' ? 10 : 16);
        const uint64_t base = value - static_cast<uint64_t>(token.offset);
        const auto known = values.find(token.name);
        if (known == values.end()) {
            values[token.name] = base;
        } else if (known->second != base) {
            why = at + token.text + " found " + digits + ", but " + token.name + " was " +
                  inRadix(token.kind, known->second) + ", so it should be " +
                  inRadix(token.kind, known->second + static_cast<uint64_t>(token.offset));
            return false;
        }
    }
    if (position != actual.size()) {
        why = "output line " + std::to_string(lineOf(actual, position)) +
              ": more output than expected: \"" + visible(actual.substr(position, 60)) + "\"";
        return false;
    }
    return true;
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
