// What the course checker tells a student about a case, in Spanish: what differs, and a
// one-line hint when one usual mistake explains it all.
#ifndef COMPROBAR_EXPLICAR_H
#define COMPROBAR_EXPLICAR_H

#include <string>
#include <vector>

#include "case.h"
#include "judge.h"
#include "run.h"

// Why a program waited without showing its prompt, found by running the case once more with the
// input given all at once.
enum class SilentWaitCause {
    Unknown,    // not looked into
    NoFlush,    // with the input at once the output is right: the prompt was not flushed
    MoreInput,  // it waited for a line beyond the case's input (a scanf that reads on)
    Other,      // with the input at once the output is wrong too
};

struct Explained {
    std::string text;  // indented lines, one per problem, then the hint
    std::string hint;  // the hint alone, or empty
};

Explained explain(const Case &c, const Run &run, const std::vector<Problem> &problems,
                  const Limits &limits, SilentWaitCause cause, const std::string &executable);

// "0,02 s": a time as the course writes it.
std::string seconds(double value);

// The same text with every line indented by four spaces.
std::string indented(const std::string &text);

#endif
