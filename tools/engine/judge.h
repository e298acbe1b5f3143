// Judging a run against its case: what differs, as data the front ends word in their language.
#ifndef ENGINE_JUDGE_H
#define ENGINE_JUDGE_H

#include <string>
#include <vector>

#include "case.h"
#include "pattern.h"
#include "run.h"

// The first line where two texts differ, with a little of what surrounds it.
struct TextDifference {
    size_t line = 1;    // from 1
    size_t column = 1;  // the first differing byte of that line, from 1
    std::vector<std::string> before;  // up to three expected lines before it, line feeds kept
    std::string expectedLine;         // with its line feed, when it has one
    std::string actualLine;
    std::vector<std::string> after;   // up to three expected lines after it
    size_t otherLines = 0;            // how many lines differ besides this one
};

TextDifference firstDifference(const std::string &expected, const std::string &actual);

struct Problem {
    enum Kind {
        CannotStart,    // exec failed: execError says why
        WallTime,       // still running at the time limit
        CpuTime,        // computed past the processor-time limit
        TooMuchOutput,  // wrote more than the output limit on standard output
        TooMuchErrors,  // the same on standard error
        Memory,         // the whole run went past its memory (a process of it was killed)
        Disk,           // its working folder went past its size
        Signal,         // killed by signal actualStatus
        Status,         // ended with another exit status
        SilentWait,     // waited for input line `line` with nothing new shown
        Output,         // standard output differs
        Pattern,        // standard output does not match the pattern
        Errors,         // standard error differs
        FileMissing,    // the program did not write `file`
        FileNotRegular, // `file` is a link, or no regular file: nothing the program wrote
        FileDiffers,    // `file` differs
        FilePresent,    // `file` should not exist
    } kind = CannotStart;
    std::string file;
    std::string expected;  // Output, Errors, FileDiffers: the whole texts
    std::string actual;
    TextDifference difference;  // Output, Errors, FileDiffers
    PatternMismatch mismatch;   // Pattern
    int expectedStatus = 0;
    int actualStatus = 0;       // Status; Signal: the signal
    int line = 0;               // SilentWait
    int execError = 0;          // CannotStart
};

std::vector<Problem> judge(const Case &c, const Run &run);

#endif
