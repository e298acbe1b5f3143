// notas.csv and the other tables a teacher takes to a spreadsheet or to the course's platform:
// the fields, the mark as a Spanish teacher writes it, and the platform's number of a student.
#ifndef COMPROBAR_NOTAS_H
#define COMPROBAR_NOTAS_H

#include <filesystem>
#include <string>
#include <vector>

// How a table is written: by default as a spreadsheet with Spanish settings opens it (UTF-8
// with a byte-order mark, `;` between fields, 8,75); --csv-punto: commas and 8.75.
struct CsvStyle {
    char separator = ';';
    char decimal = ',';
};

// One field: quoted when it holds the separator, a double quote or a line end, the quotes
// inside doubled.
std::string quotedField(const std::string &text, char separator);

// A field of a student's text that a spreadsheet takes as text: a leading =, +, -, @, tab or
// carriage return would make it a formula, so it gets an apostrophe in front; then quoted.
std::string csvField(const std::string &text, char separator);

// Splits a table's text into records of fields, as csvField writes them (and as Moodle does).
// Each record also keeps its own bytes, line end included, to be written back unchanged.
struct CsvRecord {
    std::vector<std::string> fields;
    std::string bytes;
};
std::vector<CsvRecord> parseCsv(const std::string &text, char separator);

// passed of total on a scale, in hundredths, rounded half up from integers (8,125 is 8,13).
long long hundredths(long long passed, long long total, long long scaleHundredths);
// 875 as "8,75" (or "8.75").
std::string decimalText(long long hundredths, char decimal);
// "10", "10,00", "100.5" as hundredths; -1 when it is no number.
long long parseHundredths(const std::string &text);

// The participant's number a platform writes in a downloaded submission's folder name
// ("Ana Pérez_1001_assignsubmission_file_" is 1001), or empty.
std::string participantOf(const std::string &folder);

// A row of notas.csv: a student's marks, the course's cases and the teacher's apart.
struct Mark {
    std::string folder;   // the submission's folder name, as it is
    std::string student;  // the same, visible (visibleName)
    bool graded = true;   // false: listed, with why, but not graded (a link, a file)
    int coursePassed = 0, courseTotal = 0;
    int hiddenPassed = 0, hiddenTotal = 0;  // the teacher's own cases (CASOS=)
    std::string note;  // the main reason for a mark below 10
};

// notas.csv: alumno, participante, correctos, total, nota (over 10), the course's and the
// teacher's cases apart, observaciones. The header line (after a byte-order mark), a row.
std::string marksHeader(const CsvStyle &style);
std::string marksRow(const Mark &mark, const CsvStyle &style);

// The rows of an existing notas.csv, each with its bytes under its first field as written
// (markKey); the header is left out. Empty when there is none.
std::vector<std::pair<std::string, std::string>> readMarks(const std::filesystem::path &file, const CsvStyle &style);
std::string markKey(const Mark &mark, const CsvStyle &style);

// What the platform's worksheet and feedback zip need of a student: the folder as the download
// named it, the marks, and the feedback file.
struct MarkRow {
    std::string student;  // the submission's folder name
    int passed = 0;
    int total = 0;
    std::string note;
    std::filesystem::path feedback;
};

#endif

// Writes a file whole; false when it cannot be written or closed.
bool writeBytes(const std::filesystem::path &path, const std::string &bytes);
