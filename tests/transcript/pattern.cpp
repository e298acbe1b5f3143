// Matching a program's output against an expected text with placeholders for addresses;
// the placeholders are described at the top of runner.cpp.
#include "pattern.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

// Control bytes shown as escapes, so bells, tabs, NULs and line ends can be seen.
std::string visible(const std::string &text) {
    std::string shown;
    for (unsigned char c : text) {
        char escape[8];
        switch (c) {
        case '\n': shown += "\\n"; break;
        case '\t': shown += "\\t"; break;
        case '\r': shown += "\\r"; break;
        case '\a': shown += "\\a"; break;
        case '\\': shown += "\\\\"; break;
        default:
            if (c < 0x20 || c == 0x7f) {
                snprintf(escape, sizeof escape, "\\x%02x", c);
                shown += escape;
            } else {
                shown += static_cast<char>(c);
            }
        }
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
    std::string text;   // the literal text, or the whole placeholder as written
    char kind = 0;      // p, u, x, X or *
    std::string name = {};
    int64_t offset = 0;
};

bool parsePattern(const std::string &pattern, std::vector<Token> &tokens, std::string &error) {
    size_t position = 0;
    while (position < pattern.size()) {
        const size_t open = pattern.find("{{", position);
        if (open != position) {
            const size_t end = open == std::string::npos ? pattern.size() : open;
            tokens.push_back({true, pattern.substr(position, end - position)});
            position = end;
            continue;
        }
        const size_t close = pattern.find("}}", open);
        if (close == std::string::npos) {
            error = "unclosed placeholder at line " + std::to_string(lineOf(pattern, open));
            return false;
        }
        const std::string inside = pattern.substr(open + 2, close - open - 2);
        Token token{false, pattern.substr(open, close + 2 - open)};
        if (inside == "*") {
            token.kind = '*';
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

// Matches the output against the pattern; on failure says where and why.
}  // namespace

bool matchPattern(const std::string &pattern, const std::string &actual, std::string &why) {
    std::vector<Token> tokens;
    if (!parsePattern(pattern, tokens, why))
        return false;
    std::map<std::string, uint64_t> values;
    size_t position = 0;
    for (size_t t = 0; t < tokens.size(); ++t) {
        const Token &token = tokens[t];
        const std::string at = "output line " + std::to_string(lineOf(actual, position)) + ": ";
        if (token.literal) {
            if (actual.compare(position, token.text.size(), token.text) != 0) {
                why = at + "expected \"" + visible(token.text.substr(0, 60)) + "\" but found \"" +
                      visible(actual.substr(position, 60)) + "\"";
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
        while (position < actual.size() && actual[position] == ' ')
            ++position;
        if (token.kind == 'p') {
            if (actual.compare(position, 2, "0x") != 0) {
                why = at + token.text + " expects a pointer but found \"" +
                      visible(actual.substr(position, 20)) + "\"";
                return false;
            }
            position += 2;
        }
        const size_t start = position;
        while (position < actual.size() && isDigitOf(token.kind, actual[position]))
            ++position;
        if (position == start) {
            why = at + token.text + " expects a number but found \"" +
                  visible(actual.substr(start, 20)) + "\"";
            return false;
        }
        const std::string digits = actual.substr(start, position - start);
        const uint64_t value = strtoull(digits.c_str(), nullptr, token.kind == 'u' ? 10 : 16);
        const uint64_t base = value - static_cast<uint64_t>(token.offset);
        const auto known = values.find(token.name);
        if (known == values.end()) {
            values[token.name] = base;
        } else if (known->second != base) {
            why = at + token.text + " found " + digits + ", but " + token.name + " was " +
                  inRadix(token.kind, known->second) + ", so it should be " +
                  inRadix(token.kind, known->second + static_cast<uint64_t>(token.offset));
            return false;
        }
    }
    if (position != actual.size()) {
        why = "output line " + std::to_string(lineOf(actual, position)) +
              ": more output than expected: \"" + visible(actual.substr(position, 60)) + "\"";
        return false;
    }
    return true;
}
