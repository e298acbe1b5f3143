// A transcript case: the folder of data that says how one program must behave on one run.
// It is read whole, files included, so that nothing a program does afterwards can change what
// later runs are given or compared with.
//
// A case folder holds plain files, all optional but the expected output:
//   args        one argument per line
//   argv0       the program name the program sees (default: the program's file name)
//   stdin       the typed input (default: none, the input is at its end at once)
//   stdout      the expected standard output, byte for byte
//   stdout.pat  instead of stdout: the expected output with placeholders (pattern.h)
//   stderr      the expected standard error (default: nothing at all)
//   status      the expected exit status, a number from 0 to 255 (default 0)
//   files/      copied into the program's working folder before the run
//   links       symbolic links to make there, one per line: NAME -> TARGET
//               (a link to /dev/full makes every write to it fail)
//   expect/     files the working folder must hold afterwards, byte for byte
//   absent      names, one per line, that must not exist there afterwards
//   program     the target that runs the case, when it is not the program itself (a driver)
//   batch       give the input all at once, not as a conversation (the file says why)
//   fail        a call to make fail, "NAME N": the Nth call of fseek or ftell fails with EIO
//   platform    facts of the platform the expected output depends on, one per line
//               ("sizeof(long) = 8"), as the build writes them in tests/platform.txt
// Any other file is an error, as is a case without stdout or stdout.pat.
#ifndef ENGINE_CASE_H
#define ENGINE_CASE_H

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// A file or folder of a case's files/ or expect/, by its path relative to that folder.
struct CaseFile {
    std::string path;
    std::string bytes;
    bool folder = false;
    bool executable = false;
};

struct Case {
    fs::path folder;
    std::string group;  // the program it belongs to: the name of the folder above it
    std::string name;   // the folder's own name
    std::vector<std::string> arguments;
    std::optional<std::string> argv0;
    std::optional<std::string> input;
    std::optional<std::string> output;
    std::optional<std::string> pattern;
    std::string errors;
    int status = 0;
    std::string driver;
    bool batch = false;
    std::string failCall;  // "fseek 2"
    std::vector<std::string> links;
    std::vector<std::string> absent;
    std::vector<std::string> platform;
    std::vector<CaseFile> files;
    std::vector<CaseFile> expected;
};

// Reads a case folder whole. False, with why, when the folder holds a file no case has, lacks
// its expected output, or holds a number that is not one (a status "uno", a fail "fseek x").
bool loadCase(const fs::path &folder, Case &loaded, std::string &why);

// A folder of a case tree, laid out as <root>/<program>/<case>/.
struct Listed {
    std::string group;
    std::string name;
    fs::path folder;
    std::string driver;  // what its program file names
    std::string error;   // not empty: this entry of the tree is no case, and why
};

// Every case folder of a tree, sorted by program and name. Whatever else stands at those two
// levels (a file beside the case folders, say) is listed too, with its error, so that nothing
// in the tree is left out unnoticed.
std::vector<Listed> listCases(const fs::path &root);

// A device the case links to that this system lacks (macOS has no /dev/full), or empty.
std::string missingDevice(const Case &c);

// A fact of the case's platform file that the build's facts (one per line, in the file given)
// do not hold, or empty. When the build's facts are not known, every case runs.
std::string unmetPlatformFact(const Case &c, const fs::path &facts);

// Reads a whole file; nothing when it cannot be read. With a limit, at most that many bytes.
std::optional<std::string> readFile(const fs::path &path, size_t limit = SIZE_MAX);

// Every line of a text without its line feed (a last line without one counts too), and the
// same with the line feeds kept.
std::vector<std::string> splitLines(const std::string &text);
std::vector<std::string> linesWithEnds(const std::string &text);

#endif
