// The course checker: the course's cases of one program against a student's executable
// (make check), against a whole class's submissions (make corregir), and the recording of a new
// case from a reference program (make caso).
#ifndef COMPROBAR_COMPROBAR_H
#define COMPROBAR_COMPROBAR_H

#include <string>
#include <vector>

#include "case.h"
#include "notas.h"
#include "run.h"

// The compile's own limits: a minute, 1 GiB in all, its messages up to 1 MiB.
inline Limits compileDefaults() {
    Limits limits;
    limits.wallSeconds = 60;
    limits.cpuSeconds = 60;
    limits.memoryMiB = 1024;
    limits.fileBytes = 64L << 20;
    limits.diskBytes = 128L << 20;
    return limits;
}

// What the command line sets.
struct Settings {
    std::vector<fs::path> caseRoots;  // folders laid out as <program>/<case>/
    std::vector<fs::path> hiddenRoots;  // the teacher's (CASOS=): hidden in a student's feedback
    bool showHidden = false;  // a student's feedback shows the teacher's cases in full
    std::string student;      // make corregir ALUMNO=: the one folder re-graded
    std::vector<fs::path> sources;    // make check FUENTE=: the student's sources to compile
    fs::path platform;                // the build's platform facts (tests/platform.txt)
    fs::path library;                 // the build's wuna/ folder: utiles.h and utiles.o
    fs::path output;                  // make corregir: where the marks and feedback go
    Limits limits;
    Limits compileLimits = compileDefaults();
    bool sandbox = true;  // in bubblewrap, when it is there
    bool keepScratch = true;  // a failing case's scratch folder stays for the student to look at
    std::vector<std::string> valgrind;  // MEMORIA=1: valgrind and its options, when installed
    bool valgrindWanted = false;
    bool sanitizers = false;  // MEMORIA=asan: the sources built with AddressSanitizer and UBSan
    std::string shownAs;  // how the executable is named to the student, when not by its path
    int jobs = 0;         // submissions checked at once (0: one per processor)
    double budgetSeconds = 0;  // on a platform: the time for all the cases together (0: none)
    CsvStyle csv;         // how notas.csv is written
    fs::path worksheet;   // make corregir HOJA=: the platform's grading worksheet to fill
};

// The cases of a program in the roots, loaded whole before anything runs. A folder that is no
// case is returned in broken with why.
struct Loaded {
    std::vector<Case> cases;
    std::vector<bool> hidden;  // for each case: one of the teacher's, shown by its number
    std::vector<std::string> broken;
};
Loaded loadCases(const std::string &program, const Settings &settings);

// The teacher's case folders, checked before anything runs: one Spanish line saying what is
// wrong with one (it does not exist, it holds no case of the program, a case is malformed),
// or empty.
std::string wrongTeacherCases(const std::string &program, const Settings &settings);

// The cases that are checked with any executable: those no driver, preload or other platform
// keeps out. Every submission is marked out of these, whatever happens to it.
struct Planned {
    int course = 0;  // the course's cases, the malformed ones included (a fault for everyone)
    int hidden = 0;
};
Planned plannedCases(const Loaded &loaded, const Settings &settings);

// Checks one executable against the cases; what a student sees is written to report as it
// goes. Returns the count of cases passed and of cases checked.
struct CaseResult {
    std::string name;  // a hidden case's: «caso oculto N»
    bool hidden = false;
    bool passed = false;
    std::string text;  // what the student is told of it: its line, and why it fails
};
struct Tally {
    int passed = 0;
    int checked = 0;
    int hiddenPassed = 0;  // of those, the teacher's cases
    int hiddenChecked = 0;
    double seconds = 0;
    std::vector<std::string> failures;  // for each case failed, what went wrong in a few words
    std::vector<CaseResult> cases;  // each case checked, in order
};
Tally checkExecutable(const std::string &program, const fs::path &executable,
                      const Loaded &loaded, const Settings &settings, FILE *report);

// How a student's sources are compiled: in the same box, as the same user, as their runs.
RunOptions compileBox(const Settings &settings);

// The line that says what bounds each run here: a control group, or each process's limits.
std::string boundsLine(const Limits &limits);

// What a student is told about sources that do not compile.
struct Compiled;
std::string notCompiled(const Compiled &compiled);

// make corregir: every subfolder of submissions is a student's.
int gradeClass(const std::string &program, const fs::path &submissions, const Settings &settings);

#endif
