// Judging a run against its case.
#include "judge.h"

#include <algorithm>
#include <csignal>

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
    return std::max(a.size(), b.size()) - previous[b.size()];
}

constexpr size_t contextLines = 3;

}  // namespace

TextDifference firstDifference(const std::string &expected, const std::string &actual) {
    const auto want = linesWithEnds(expected);
    const auto got = linesWithEnds(actual);
    TextDifference d;
    size_t line = 0;
    while (line < want.size() && line < got.size() && want[line] == got[line])
        ++line;
    d.line = line + 1;
    d.expectedLine = line < want.size() ? want[line] : std::string{};
    d.actualLine = line < got.size() ? got[line] : std::string{};
    size_t column = 0;
    while (column < d.expectedLine.size() && column < d.actualLine.size() &&
           d.expectedLine[column] == d.actualLine[column])
        ++column;
    d.column = column + 1;
    for (size_t i = line > contextLines ? line - contextLines : 0; i < line; ++i)
        d.before.push_back(want[i]);
    for (size_t i = line + 1; i < want.size() && i <= line + contextLines; ++i)
        d.after.push_back(want[i]);
    const size_t left = want.size() > line + 1 ? want.size() - line - 1 : 0;
    const size_t right = got.size() > line + 1 ? got.size() - line - 1 : 0;
    d.otherLines = unmatchedLines({want.end() - static_cast<long>(left), want.end()},
                                  {got.end() - static_cast<long>(right), got.end()});
    return d;
}

std::vector<Problem> judge(const Case &c, const Run &run) {
    std::vector<Problem> problems;
    auto add = [&problems](Problem::Kind kind) -> Problem & {
        problems.emplace_back();
        problems.back().kind = kind;
        return problems.back();
    };
    auto differs = [&add](Problem::Kind kind, const std::string &expected,
                          const std::string &actual) -> Problem & {
        Problem &p = add(kind);
        p.expected = expected;
        p.actual = actual;
        p.difference = firstDifference(expected, actual);
        return p;
    };
    if (run.execError != 0) {
        add(Problem::CannotStart).execError = run.execError;
        return problems;  // nothing else of it can be judged
    }
    switch (run.stopped) {
    case Run::WallTime: add(Problem::WallTime); break;
    case Run::CpuTime: add(Problem::CpuTime); break;
    case Run::Output: add(Problem::TooMuchOutput); break;
    case Run::ErrorOutput: add(Problem::TooMuchErrors); break;
    case Run::Memory: add(Problem::Memory); break;
    case Run::Disk: add(Problem::Disk); break;
    case Run::NotStopped:
        if (run.status < 0) {
            add(Problem::Signal).actualStatus = -run.status;
        } else if (run.status != c.status) {
            Problem &p = add(Problem::Status);
            p.expectedStatus = c.status;
            p.actualStatus = run.status;
        }
    }
    if (run.silentWait)
        add(Problem::SilentWait).line = run.silentWaitInputLine;
    if (c.output) {
        if (run.output != *c.output)
            differs(Problem::Output, *c.output, run.output);
    } else {
        PatternMismatch mismatch;
        if (!matchPattern(*c.pattern, run.output, mismatch)) {
            Problem &p = add(Problem::Pattern);
            p.expected = *c.pattern;
            p.actual = run.output;
            p.mismatch = mismatch;
        }
    }
    if (run.errors != c.errors)
        differs(Problem::Errors, c.errors, run.errors);
    const fs::path work = run.scratch / "work";
    for (const CaseFile &wanted : c.expected) {
        if (wanted.folder)
            continue;
        // A file the program made huge is read only as far as telling how it differs needs: one
        // byte past the expected size tells that it does, twice that shows a \r added to every
        // line, or a text in two-byte letters.
        std::string written;
        const WorkFile read = readWorkFile(work, wanted.path, 2 * wanted.bytes.size() + 4096, written);
        if (read == WorkFile::Missing)
            add(Problem::FileMissing).file = wanted.path;
        else if (read == WorkFile::NotRegular)
            add(Problem::FileNotRegular).file = wanted.path;
        else if (written != wanted.bytes)
            differs(Problem::FileDiffers, wanted.bytes, written).file = wanted.path;
    }
    std::error_code ec;
    for (const std::string &name : c.absent)
        if (fs::exists(fs::symlink_status(work / name, ec)))
            add(Problem::FilePresent).file = name;
    return problems;
}
