// Matching a program's output against an expected text with placeholders for addresses.
#include "pattern.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

#include "case.h"

// The length of the well-formed UTF-8 sequence that starts at text[i], or 0.
size_t utf8Length(const std::string &text, size_t i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    size_t length = c < 0x80 ? 1 : c >= 0xc2 && c <= 0xdf ? 2 : (c & 0xf0) == 0xe0 ? 3 : c >= 0xf0 && c <= 0xf4 ? 4 : 0;
    for (size_t k = 1; k < length; ++k)
        if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xc0) != 0x80)
            return 0;
    return length;
}

// Control bytes shown as escapes, so bells, tabs, NULs and line ends can be seen, and so are the
// bytes that are no UTF-8 (a binary record, a text in another encoding), which a terminal would
// show all alike, as U+FFFD.
std::string visible(const std::string &text) {
    std::string shown;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t length = utf8Length(text, i);
        char escape[8];
        switch (c) {
        case '\n': shown += "\\n"; break;
        case '\t': shown += "\\t"; break;
        case '\r': shown += "\\r"; break;
        case '\a': shown += "\\a"; break;
        case '\\': shown += "\\\\"; break;
        default:
            if (c < 0x20 || c == 0x7f || length == 0) {
                snprintf(escape, sizeof escape, "\\x%02x", c);
                shown += escape;
            } else {
                shown += text.substr(i, length);
                i += length;
                continue;
            }
        }
        ++i;
    }
    return shown;
}

int lineOf(const std::string &text, size_t offset) {
    int line = 1;
    for (size_t i = 0; i < offset && i < text.size(); ++i)
        line += text[i] == '\n';
    return line;
}

namespace {

struct Token {
    bool literal;
    size_t at;          // where it starts in the pattern
    std::string text;   // the literal text, or the whole placeholder as written
    char kind = 0;      // p, u, x, X, n (nil) or *
    std::string name = {};
    int64_t offset = 0;
};

bool parsePattern(const std::string &pattern, std::vector<Token> &tokens, std::string &error) {
    size_t position = 0;
    while (position < pattern.size()) {
        const size_t open = pattern.find("{{", position);
        if (open != position) {
            const size_t end = open == std::string::npos ? pattern.size() : open;
            tokens.push_back({true, position, pattern.substr(position, end - position)});
            position = end;
            continue;
        }
        const size_t close = pattern.find("}}", open);
        if (close == std::string::npos) {
            error = "unclosed placeholder at line " + std::to_string(lineOf(pattern, open));
            return false;
        }
        const std::string inside = pattern.substr(open + 2, close - open - 2);
        Token token{false, open, pattern.substr(open, close + 2 - open)};
        if (inside == "*") {
            token.kind = '*';
        } else if (inside == "nil") {
            token.kind = 'n';
        } else if (inside.size() > 2 && inside[1] == ':' && strchr("puxX", inside[0]) != nullptr) {
            token.kind = inside[0];
            std::string name = inside.substr(2);
            const size_t sign = name.find_first_of("+-");
            if (sign != std::string::npos) {
                const std::string amount = name.substr(sign + 1);
                char *end = nullptr;
                const long long value = strtoll(amount.c_str(), &end, 0);
                if (amount.empty() || *end != '\0') {
                    error = "bad offset in " + token.text;
                    return false;
                }
                token.offset = name[sign] == '+' ? value : -value;
                name.resize(sign);
            }
            token.name = name;
        } else {
            error = "unknown placeholder " + token.text;
            return false;
        }
        tokens.push_back(token);
        position = close + 2;
    }
    return true;
}

std::string inRadix(char kind, uint64_t value) {
    char text[32];
    snprintf(text, sizeof text, kind == 'u' ? "%llu" : kind == 'X' ? "%llX" : "%llx",
             static_cast<unsigned long long>(value));
    return text;
}

bool isDigitOf(char kind, char c) {
    switch (kind) {
    case 'u': return c >= '0' && c <= '9';
    case 'X': return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
    default: return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    }
}

// The line of text that holds the byte at offset, with its line feed when it has one, so that
// a line that ends where the other goes on shows it.
std::string lineAround(const std::string &text, size_t offset) {
    offset = std::min(offset, text.size());
    const size_t begin = offset == 0 ? 0 : text.rfind('\n', offset - 1);
    const size_t first = begin == std::string::npos || offset == 0 ? 0 : begin + 1;
    size_t end = text.find('\n', offset);
    end = end == std::string::npos ? text.size() : end + 1;
    return text.substr(first, end - first);
}

// Says where the output stops matching: its line and column, and both lines.
PatternMismatch at(PatternMismatch::Kind kind, const std::string &pattern, size_t inPattern,
                   const std::string &actual, size_t inActual) {
    PatternMismatch m;
    m.kind = kind;
    inActual = std::min(inActual, actual.size());
    m.line = lineOf(actual, inActual);
    const size_t lineStart = inActual == 0 ? 0 : actual.rfind('\n', inActual - 1);
    m.column = inActual - (lineStart == std::string::npos || inActual == 0 ? 0 : lineStart + 1) + 1;
    m.patternLine = lineAround(pattern, inPattern);
    m.actualLine = lineAround(actual, inActual);
    return m;
}

// A line cut into its numbers (with the blanks before them, which a field width puts there)
// and the text between them.
struct Piece {
    bool number;
    bool pointer;  // 0x...
    std::string text;
    std::string digits;
};

std::vector<Piece> piecesOf(const std::string &line) {
    std::vector<Piece> pieces;
    size_t at = 0;
    while (at < line.size()) {
        size_t start = at;
        while (at < line.size() && line[at] == ' ')
            ++at;
        const bool pointer = line.compare(at, 2, "0x") == 0 && at + 2 < line.size() && isxdigit(static_cast<unsigned char>(line[at + 2]));
        size_t end = pointer ? at + 2 : at;
        while (end < line.size() && (pointer ? isxdigit(static_cast<unsigned char>(line[end])) != 0
                                             : isdigit(static_cast<unsigned char>(line[end])) != 0))
            ++end;
        const bool isNumber = end > at + (pointer ? 2 : 0) &&
                              (end == line.size() || !isalnum(static_cast<unsigned char>(line[end])));
        if (isNumber) {
            pieces.push_back({true, pointer, line.substr(start, end - start), line.substr(at, end - at)});
            at = end;
            continue;
        }
        at = std::max(end, at + 1);
        if (!pieces.empty() && !pieces.back().number)
            pieces.back().text += line.substr(start, at - start);
        else
            pieces.push_back({false, false, line.substr(start, at - start), ""});
    }
    return pieces;
}

}  // namespace

bool matchPattern(const std::string &pattern, const std::string &actual, PatternMismatch &mismatch,
                  std::vector<Matched> *spans) {
    if (spans != nullptr)
        spans->clear();
    std::vector<Token> tokens;
    std::string error;
    if (!parsePattern(pattern, tokens, error)) {
        mismatch = PatternMismatch{};
        mismatch.detail = error;
        return false;
    }
    std::map<std::string, uint64_t> values;
    size_t position = 0;
    for (size_t t = 0; t < tokens.size(); ++t) {
        const Token &token = tokens[t];
        if (token.literal) {
            size_t same = 0;
            while (same < token.text.size() && position + same < actual.size() &&
                   actual[position + same] == token.text[same])
                ++same;
            if (same < token.text.size()) {
                mismatch = at(PatternMismatch::Literal, pattern, token.at + same, actual, position + same);
                return false;
            }
            position += token.text.size();
            continue;
        }
        if (token.kind == '*') {
            size_t lineEnd = actual.find('\n', position);
            if (lineEnd == std::string::npos)
                lineEnd = actual.size();
            size_t stop = lineEnd;
            if (t + 1 < tokens.size() && tokens[t + 1].literal) {
                // Only the part of the next literal on this line can be searched for; when
                // the literal starts a new line, the rest of this line is what matches.
                const std::string &next = tokens[t + 1].text;
                const std::string onThisLine = next.substr(0, next.find('\n'));
                const size_t found = onThisLine.empty() ? std::string::npos
                                                        : actual.find(onThisLine, position);
                if (found != std::string::npos && found <= lineEnd)
                    stop = found;
            }
            position = stop;
            continue;
        }
        const size_t placeholderAt = position;
        while (position < actual.size() && actual[position] == ' ')
            ++position;
        if (token.kind == 'n') {
            // The longest spelling first: 0x0 begins as 0 does. A spelling followed by more
            // of a number is the start of another number, not a null pointer.
            size_t length = 0;
            for (const char *spelling : {"(nil)", "0x0", "0"}) {
                const size_t size = strlen(spelling);
                const size_t after = position + size;
                if (actual.compare(position, size, spelling) == 0 &&
                    (after == actual.size() || !isalnum(static_cast<unsigned char>(actual[after])))) {
                    length = size;
                    break;
                }
            }
            if (length == 0) {
                mismatch = at(PatternMismatch::NotNull, pattern, token.at, actual, placeholderAt);
                mismatch.placeholder = token.text;
                return false;
            }
            position += length;
            if (spans != nullptr)
                spans->push_back({placeholderAt, position - placeholderAt, token.text});
            continue;
        }
        if (token.kind == 'p') {
            if (actual.compare(position, 2, "0x") != 0) {
                mismatch = at(PatternMismatch::NotAPointer, pattern, token.at, actual, placeholderAt);
                mismatch.placeholder = token.text;
                return false;
            }
            position += 2;
        }
        const size_t start = position;
        while (position < actual.size() && isDigitOf(token.kind, actual[position]))
            ++position;
        if (position == start) {
            mismatch = at(PatternMismatch::NotANumber, pattern, token.at, actual, placeholderAt);
            mismatch.placeholder = token.text;
            return false;
        }
        const std::string digits = actual.substr(start, position - start);
        const uint64_t value = strtoull(digits.c_str(), nullptr, token.kind == 'u' ? 10 : 16);
        const uint64_t base = value - static_cast<uint64_t>(token.offset);
        const auto known = values.find(token.name);
        if (known == values.end()) {
            values[token.name] = base;
        } else if (known->second != base) {
            mismatch = at(PatternMismatch::OtherValue, pattern, token.at, actual, start);
            mismatch.placeholder = token.text;
            mismatch.found = digits;
            mismatch.wanted = inRadix(token.kind, known->second + static_cast<uint64_t>(token.offset));
            return false;
        }
        if (spans != nullptr)
            spans->push_back({placeholderAt, position - placeholderAt, token.text});
    }
    if (position != actual.size()) {
        mismatch = at(PatternMismatch::MoreOutput, pattern, pattern.size(), actual, position);
        return false;
    }
    return true;
}

std::optional<std::string> patternOfTwoRuns(const std::string &first, const std::string &second) {
    const auto a = linesWithEnds(first);
    const auto b = linesWithEnds(second);
    if (a.size() != b.size())
        return std::nullopt;
    std::map<std::string, std::string> names, partners;
    std::string pattern;
    for (size_t line = 0; line < a.size(); ++line) {
        if (a[line] == b[line]) {
            pattern += a[line];
            continue;
        }
        const auto x = piecesOf(a[line]);
        const auto y = piecesOf(b[line]);
        if (x.size() != y.size())
            return std::nullopt;
        for (size_t i = 0; i < x.size(); ++i) {
            if (x[i].text == y[i].text) {
                pattern += x[i].text;
                continue;
            }
            if (!x[i].number || !y[i].number || x[i].pointer != y[i].pointer)
                return std::nullopt;
            auto [partner, isNew] = partners.emplace(x[i].digits, y[i].digits);
            if (!isNew && partner->second != y[i].digits)
                return std::nullopt;
            if (isNew)
                names[x[i].digits] = "n" + std::to_string(names.size() + 1);
            pattern += std::string("{{") + (x[i].pointer ? "p" : "u") + ":" + names[x[i].digits] + "}}";
        }
    }
    PatternMismatch unused;
    if (!matchPattern(pattern, first, unused) || !matchPattern(pattern, second, unused))
        return std::nullopt;
    return pattern;
}
