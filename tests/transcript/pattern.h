// Matching a program's output against an expected text with placeholders for addresses.
#ifndef TRANSCRIPT_PATTERN_H
#define TRANSCRIPT_PATTERN_H

#include <cstddef>
#include <string>

// True if the output matches the pattern; otherwise why says where and why not.
bool matchPattern(const std::string &pattern, const std::string &actual, std::string &why);

// The text with control bytes written as escapes (\n, \t, \a, \x00...).
std::string visible(const std::string &text);

// The number of the line (from 1) on which the byte at offset stands.
int lineOf(const std::string &text, size_t offset);

#endif
