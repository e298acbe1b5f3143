// Telling a difference readably, in the words of a front end's language.
#ifndef ENGINE_REPORT_H
#define ENGINE_REPORT_H

#include <string>
#include <vector>

#include "judge.h"
#include "pattern.h"

struct DiffWords {
    const char *line;          // "line"
    const char *column;        // "column"
    const char *expected;      // "expected"
    const char *actual;        // "actual"
    const char *otherLines;    // after a number: "other lines differ"
    const char *oneOtherLine;  // "1 other line differs"
    const char *noOtherLine;   // "no other line differs"
    const char *lookAlike;     // after two characters named: "they look alike, but differ"
};

// "line N, column M" (M in characters), then a few expected lines before it, the expected and
// the actual line with a marker under the first differing character (a long line cut around
// it, with … at the cuts; two look-alike characters there named by their code points), a few
// lines after, and how many other lines differ; control bytes, and bytes that are no UTF-8,
// made visible as escapes.
std::string renderDifference(const TextDifference &difference, const DiffWords &words);

// The same for a pattern: the pattern's line (placeholders as written) and the output's line,
// the marker under the output's first byte that does not match.
std::string renderMismatch(const PatternMismatch &mismatch, const DiffWords &words);

// The conversation as a terminal shows it: the output with each typed line in place, where the
// program was given it (inputAt: the output's length at that moment). In a conversation, a line
// never given was never typed and is not shown; lines given all at once (no places known)
// follow the output.
std::string conversationView(const std::string &output, const std::string &input,
                             const std::vector<size_t> &inputAt, bool conversation);

// What a terminal shows of a conversation: the conversation without the bells and NUL bytes,
// which leave nothing on the screen, and with bytes that are no UTF-8 shown as the terminal
// shows them (U+FFFD).
std::string terminalView(const std::string &output, const std::string &input,
                         const std::vector<size_t> &inputAt, bool conversation);

// The conversation as the terminal showed it up to a place of the output (an offset), and a
// line beyond: each line behind "  | ", the one that holds that place behind "> | "; carriage
// returns, other control bytes and bytes that are no UTF-8 shown as escapes.
std::string conversationUpTo(const std::string &output, const std::string &input,
                             const std::vector<size_t> &inputAt, size_t outputOffset, int linesBefore);

// A text of one byte a character in UTF-8: what it says in Latin-1 (with Windows-1252's
// letters from 0x80 to 0x9F: € ‘ ’ “ ” – —), or in Mac OS Roman.
enum class Encoding { Latin1, MacRoman };
std::string toUtf8(const std::string &text, Encoding from);

#endif
