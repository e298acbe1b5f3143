// Loading, validating and listing transcript cases.
#include "case.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>

std::optional<std::string> readFile(const fs::path &path, size_t limit) {
    FILE *file = fopen(path.c_str(), "rb");
    if (file == nullptr)
        return std::nullopt;
    std::string bytes;
    char block[65536];
    size_t count;
    while (bytes.size() < limit &&
           (count = fread(block, 1, std::min(sizeof block, limit - bytes.size()), file)) > 0)
        bytes.append(block, count);
    const bool failed = ferror(file) != 0;
    fclose(file);
    if (failed)
        return std::nullopt;
    return bytes;
}

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

namespace {

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

// A whole number and nothing else but one line feed: "3\n" is 3, "uno" and "3 4" are none.
bool readNumber(const std::string &text, long low, long high, long &value) {
    std::string digits = text;
    if (!digits.empty() && digits.back() == '\n')
        digits.pop_back();
    if (digits.empty() || digits.size() > 18 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = strtol(digits.c_str(), nullptr, 10);
    return value >= low && value <= high;
}

// The first line of a one-line file: its text, without the line feed.
std::string firstLine(const std::string &text) {
    const auto lines = splitLines(text);
    return lines.empty() ? std::string{} : lines[0];
}

// Every file and folder under a case's files/ or expect/, read into memory.
bool loadTree(const fs::path &top, std::vector<CaseFile> &into, std::string &why) {
    std::error_code ec;
    if (!fs::exists(top, ec))
        return true;
    for (auto entry = fs::recursive_directory_iterator(top, ec);
         !ec && entry != fs::recursive_directory_iterator(); entry.increment(ec)) {
        CaseFile file;
        file.path = fs::relative(entry->path(), top, ec).string();
        if (entry->is_symlink()) {
            why = "case files may not be symbolic links (make them with a links file): " +
                  (top.filename() / file.path).string();
            return false;
        }
        if (entry->is_directory()) {
            file.folder = true;
        } else {
            const auto bytes = readFile(entry->path());
            if (!bytes) {
                why = "cannot read " + entry->path().string();
                return false;
            }
            file.bytes = *bytes;
            struct stat mode;
            file.executable = stat(entry->path().c_str(), &mode) == 0 && (mode.st_mode & S_IXUSR);
        }
        into.push_back(std::move(file));
    }
    if (ec) {
        why = "cannot read " + top.string() + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace

bool loadCase(const fs::path &folder, Case &loaded, std::string &why) {
    loaded = Case{};
    loaded.folder = folder;
    loaded.name = folder.filename().string();
    loaded.group = folder.parent_path().filename().string();
    const std::string where = "the case folder " + folder.string();
    std::error_code ec;
    for (const auto &entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        const bool known = entry.is_directory() ? knownFolders.count(name) > 0
                                                : knownFiles.count(name) > 0;
        if (!known) {
            why = where + " holds an unknown file: " + name;
            return false;
        }
    }
    if (ec) {
        why = "cannot read " + where + ": " + ec.message();
        return false;
    }
    loaded.output = readFile(folder / "stdout");
    loaded.pattern = readFile(folder / "stdout.pat");
    if (!loaded.output && !loaded.pattern) {
        why = where + " has no expected output (stdout or stdout.pat)";
        return false;
    }
    if (loaded.output && loaded.pattern) {
        why = where + " has both stdout and stdout.pat";
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
    if (const auto name = readFile(folder / "argv0"))
        loaded.argv0 = firstLine(*name);
    loaded.input = readFile(folder / "stdin");
    loaded.errors = readFile(folder / "stderr").value_or("");
    if (const auto status = readFile(folder / "status")) {
        long value = 0;
        if (!readNumber(*status, 0, 255, value)) {
            why = where + ": its status is no exit status (a number from 0 to 255): " +
                  firstLine(*status);
            return false;
        }
        loaded.status = static_cast<int>(value);
    }
    if (const auto program = readFile(folder / "program"))
        loaded.driver = firstLine(*program);
    loaded.batch = fs::exists(folder / "batch");
    if (const auto fail = readFile(folder / "fail")) {
        loaded.failCall = firstLine(*fail);
        const size_t space = loaded.failCall.find(' ');
        long count = 0;
        const std::string call = loaded.failCall.substr(0, space);
        if (space == std::string::npos || (call != "fseek" && call != "ftell") ||
            !readNumber(loaded.failCall.substr(space + 1), 1, INT32_MAX, count)) {
            why = where + ": its fail file must say \"fseek N\" or \"ftell N\": " + loaded.failCall;
            return false;
        }
    }
    loaded.links = nonEmptyLines(readFile(folder / "links").value_or(""));
    for (const std::string &link : loaded.links)
        if (link.find(" -> ") == std::string::npos) {
            why = where + ": a line of links is not NAME -> TARGET: " + link;
            return false;
        }
    loaded.absent = nonEmptyLines(readFile(folder / "absent").value_or(""));
    loaded.platform = nonEmptyLines(readFile(folder / "platform").value_or(""));
    return loadTree(folder / "files", loaded.files, why) &&
           loadTree(folder / "expect", loaded.expected, why);
}

std::vector<Listed> listCases(const fs::path &root) {
    std::vector<Listed> found;
    std::error_code ec;
    auto sorted = [&ec](const fs::path &folder) {
        std::vector<fs::path> entries;
        for (const auto &entry : fs::directory_iterator(folder, ec))
            entries.push_back(entry.path());
        std::sort(entries.begin(), entries.end());
        return entries;
    };
    for (const fs::path &group : sorted(root)) {
        if (!fs::is_directory(group, ec)) {
            found.push_back({"", group.filename().string(), group, "",
                             "stands among the programs' folders of " + root.string() +
                                 " but is no folder"});
            continue;
        }
        for (const fs::path &folder : sorted(group)) {
            Listed entry{group.filename().string(), folder.filename().string(), folder, "", ""};
            if (!fs::is_directory(folder, ec))
                entry.error = "stands among the case folders of " + group.string() +
                              " but is no folder";
            else if (const auto program = readFile(folder / "program"))
                entry.driver = firstLine(*program);
            found.push_back(std::move(entry));
        }
    }
    if (ec)
        found.push_back({"", root.filename().string(), root, "",
                         "cannot be read: " + ec.message()});
    return found;
}

std::string missingDevice(const Case &c) {
    for (const std::string &link : c.links) {
        const std::string target = link.substr(link.find(" -> ") + 4);
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
