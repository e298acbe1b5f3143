// notas.csv: a class's marks, one row per student, as a spreadsheet opens it. Writing a row
// and reading the rows back (to re-grade one student) live here, and nowhere else.
#ifndef COMPROBAR_NOTAS_H
#define COMPROBAR_NOTAS_H

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

struct Mark {
    std::string student;  // the folder's name, visible (visibleName)
    bool graded = true;   // false: listed, with why, but not graded (a link, a file)
    int coursePassed = 0, courseTotal = 0;
    int hiddenPassed = 0, hiddenTotal = 0;  // the teacher's own cases (CASOS=)
    std::string note;  // the main reason for a mark below 10
};

// The rows as they are written: a header line, then one line per row.
std::string marksHeader();
std::string marksRow(const Mark &mark);

// The rows of an existing notas.csv, each under the first field as written (the student);
// the header is left out. Empty when there is none.
std::vector<std::pair<std::string, std::string>> readMarks(const fs::path &file);

// The key a row of mark is found under in readMarks.
std::string markKey(const Mark &mark);

#endif
