// Matching a program's output against an expected text with placeholders for the numbers that
// change from run to run (addresses):
//   {{p:NAME}}  a pointer as %p prints it (0x...),   {{u:NAME}} a decimal number,
//   {{x:NAME}}  lower-case hex digits, {{X:NAME}} upper-case hex digits,
//   {{nil}}     a null pointer as %p prints it, in the platform's notation: (nil) with glibc,
//               0 with musl and wasi-libc (the browser's), 0x0 on macOS and the BSDs;
//   {{*}}       anything up to the next literal text on the same line.
// Blanks of a field width before the number belong to the placeholder. A name seen again must
// stand for the same value; NAME+OFF or NAME-OFF (decimal or 0x...) must stand for that value
// plus or minus OFF, which is how chained nodes and field offsets are checked.
#ifndef ENGINE_PATTERN_H
#define ENGINE_PATTERN_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Where and why the output stops matching.
struct PatternMismatch {
    enum Kind {
        BadPattern,     // the pattern itself is wrong: detail says how
        Literal,        // the output differs from the pattern's literal text
        NotAPointer,    // a {{p:}} placeholder found no 0x
        NotNull,        // a {{nil}} placeholder found no null pointer
        NotANumber,     // a placeholder found no digits
        OtherValue,     // a name found a value other than the one it stands for
        MoreOutput,     // the output goes on after the pattern's end
    } kind = BadPattern;
    int line = 1;              // the output's line (from 1)
    size_t column = 1;         // the first byte of that line that does not match (from 1)
    std::string patternLine;   // the pattern's line there, placeholders as written, line feed kept
    std::string actualLine;    // the output's line, line feed kept
    std::string placeholder;   // the placeholder, for NotAPointer, NotNull, NotANumber, OtherValue
    std::string found;         // OtherValue: the digits found
    std::string wanted;        // OtherValue: the value the name stands for, in its radix
    std::string detail;        // BadPattern: what is wrong with it
};

// Where a placeholder matched in the output: from its blanks to its last digit.
struct Matched {
    size_t at;
    size_t length;
    std::string placeholder;  // as the pattern writes it: {{p:a}}, {{u:r+30}}
};

// True if the output matches the pattern; otherwise mismatch says where and why not. When it
// matches, spans (if given) receive where each placeholder matched, in order.
bool matchPattern(const std::string &pattern, const std::string &actual, PatternMismatch &mismatch,
                  std::vector<Matched> *spans = nullptr);

// Two runs of a program that differ only in numbers that change from run to run (addresses):
// the output as a pattern, each changing number a placeholder, the same value the same name.
// Nothing when they differ in anything else, or when one value of the first run is two of the
// second.
std::optional<std::string> patternOfTwoRuns(const std::string &first, const std::string &second);

// The text with control bytes, and bytes that are no UTF-8, written as escapes (\n, \t, \a,
// \x00, \x92...).
std::string visible(const std::string &text);

// The length of the well-formed UTF-8 sequence that starts at text[i] (1 for ASCII), or 0.
size_t utf8Length(const std::string &text, size_t i);

// The number of the line (from 1) on which the byte at offset stands.
int lineOf(const std::string &text, size_t offset);

#endif
