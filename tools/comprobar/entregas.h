// What a student handed in, as a course platform delivers it: sources (maybe one folder down,
// maybe in a .zip or a .tar.gz), an executable (maybe without its execute bit), or something
// else, which is then named with what was expected instead.
#ifndef COMPROBAR_ENTREGAS_H
#define COMPROBAR_ENTREGAS_H

#include <filesystem>
#include <string>
#include <vector>

#include "comprobar.h"

namespace fs = std::filesystem;

struct HandIn {
    std::vector<fs::path> sources;  // to compile, all in one folder
    fs::path executable;            // or the one executable to run
    std::string told;   // lines for the student about what was done with it (a copy made executable)
    std::string wrong;  // neither: one line for the student, saying what was found and what was expected
    std::string note;   // the same in a few words, for notas.csv
};

// Whether a file's name is that of a C or C++ source, as gcc and clang take them.
bool isSourceName(const std::string &name);

// Looks into a student's folder without following any link. Archives are unpacked by the
// sandboxed runner, bounded, and only their regular files taken; what is written goes to
// scratch (unpacked sources, an executable's copy).
HandIn findProgram(const std::string &program, const fs::path &folder, const fs::path &scratch,
                   const Settings &settings);

#endif
