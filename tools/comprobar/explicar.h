// What the course checker tells a student about a case, in Spanish: what differs, and a
// one-line hint for each usual mistake that the evidence proves.
#ifndef COMPROBAR_EXPLICAR_H
#define COMPROBAR_EXPLICAR_H

#include <string>
#include <vector>

#include "case.h"
#include "judge.h"
#include "run.h"

// What the checker learnt by running a failing case again, so that a hint is given only with
// proof of its cause.
struct Evidence {
    // Why the program waited without showing its question, from the case run again with its
    // standard output unbuffered (or, where no preload reaches the program, with the input
    // given at once).
    enum class Wait {
        Unknown,       // not looked into
        NoFlush,       // unbuffered, it showed every question in time: fflush was missing
        ReadsFirst,    // unbuffered, it still waits before showing its question, and its
                       // sources have no scanf whose format ends in a blank
        ScanfReadsOn,  // the same, and its sources have such a scanf
        WaitsUnbuffered,  // the same, and its sources are not known
        MoreInput,     // it waited for a line beyond the case's input
    } wait = Wait::Unknown;
    std::vector<Problem> unbuffered;  // NoFlush: what is still wrong once it flushes
    std::string shownUnbuffered;      // a crash: what it showed unbuffered, when more than buffered
    std::string crashAt;              // a crash: the line valgrind names, or empty
    bool valgrindRan = false;         // a crash: valgrind ran the case (and named crashAt, if any)
    bool valgrindThere = false;       // valgrind is installed
};

struct Explained {
    std::string text;                // indented lines, one per problem, then the hints
    std::vector<std::string> hints;  // the hints alone
};

Explained explain(const Case &c, const Run &run, const std::vector<Problem> &problems,
                  const Limits &limits, const Evidence &evidence, const std::string &executable);

// The usual mistake, when it alone explains the difference of an output from the expected one,
// or from a pattern; empty when none does.
std::string outputHint(const std::string &expected, const std::string &actual);
std::string patternHint(const std::string &pattern, const std::string &actual);

// "0,02 s": a time as the course writes it.
std::string seconds(double value);

// The same text with every line indented by four spaces.
std::string indented(const std::string &text);

#endif
