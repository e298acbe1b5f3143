// Telling a difference readably.
#include "report.h"

#include <algorithm>
#include <cstdio>

#include "case.h"

namespace {

std::string label(const char *word) {
    char text[32];
    snprintf(text, sizeof text, "%-8.8s", word);
    return std::string(text).substr(0, 8) + "| ";
}

std::string heading(const DiffWords &words, size_t line, size_t column) {
    char text[160];
    snprintf(text, sizeof text, "%s %zu, %s %zu\n", words.line, line, words.column, column);
    return text;
}

std::string others(const DiffWords &words, size_t count) {
    if (count == 0)
        return std::string(words.noOtherLine) + "\n";
    if (count == 1)
        return std::string(words.oneOtherLine) + "\n";
    return std::to_string(count) + " " + words.otherLines + "\n";
}

}  // namespace

std::string renderDifference(const TextDifference &d, const DiffWords &words) {
    std::string shown = heading(words, d.line, d.column);
    for (const std::string &line : d.before)
        shown += "      " + visible(line) + "\n";
    // The marker stands under the first differing byte, counted in visible characters.
    const size_t markerAt = visible(d.expectedLine.substr(0, d.column - 1)).size();
    shown += label(words.expected) + visible(d.expectedLine) + "\n";
    shown += label(words.actual) + visible(d.actualLine) + "\n";
    shown += std::string(10 + markerAt, ' ') + "^\n";
    for (const std::string &line : d.after)
        shown += "      " + visible(line) + "\n";
    return shown + others(words, d.otherLines);
}

std::string renderMismatch(const PatternMismatch &m, const DiffWords &words) {
    std::string shown = heading(words, static_cast<size_t>(m.line), m.column);
    const size_t markerAt = visible(m.actualLine.substr(0, m.column - 1)).size();
    shown += label(words.expected) + visible(m.patternLine) + "\n";
    shown += label(words.actual) + visible(m.actualLine) + "\n";
    shown += std::string(10 + markerAt, ' ') + "^\n";
    return shown;
}

std::string conversationView(const std::string &output, const std::string &input,
                             const std::vector<size_t> &inputAt, bool conversation) {
    const auto lines = linesWithEnds(input);
    std::string shown;
    size_t from = 0;
    size_t given = 0;
    for (; given < lines.size() && given < inputAt.size(); ++given) {
        const size_t at = std::min(inputAt[given], output.size());
        shown += output.substr(from, at - from) + lines[given];
        from = at;
    }
    shown += output.substr(std::min(from, output.size()));
    for (; !conversation && given < lines.size(); ++given)
        shown += lines[given];
    return shown;
}

std::string terminalView(const std::string &output, const std::string &input,
                         const std::vector<size_t> &inputAt, bool conversation) {
    const std::string text = conversationView(output, input, inputAt, conversation);
    std::string shown;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        // The length of a well-formed UTF-8 sequence that starts here, or 0.
        size_t length = c < 0x80 ? 1 : (c & 0xe0) == 0xc0 ? 2 : (c & 0xf0) == 0xe0 ? 3 : (c & 0xf8) == 0xf0 ? 4 : 0;
        for (size_t k = 1; k < length; ++k)
            if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xc0) != 0x80)
                length = 0;
        if (length == 0) {
            shown += "\xef\xbf\xbd";
            ++i;
            continue;
        }
        if (c != '\a' && c != '\0')
            shown += text.substr(i, length);
        i += length;
    }
    return shown;
}

std::string conversationUpTo(const std::string &output, const std::string &input,
                             const std::vector<size_t> &inputAt, size_t outputOffset, int linesBefore) {
    // Where that place of the output stands in the conversation: after the typed lines given
    // before it.
    const auto typed = linesWithEnds(input);
    size_t at = outputOffset;
    for (size_t k = 0; k < inputAt.size() && k < typed.size() && inputAt[k] <= outputOffset; ++k)
        at += typed[k].size();
    const std::string view = conversationView(output, input, inputAt, true);
    const auto lines = linesWithEnds(view);
    const int marked = lineOf(view, at);
    std::string shown;
    for (int i = std::max(1, marked - linesBefore); i <= std::min(static_cast<int>(lines.size()), marked + 1); ++i) {
        std::string line = lines[static_cast<size_t>(i - 1)];
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
        line.erase(std::remove(line.begin(), line.end(), '\a'), line.end());
        shown += (i == marked ? "> | " : "  | ") + line + "\n";
    }
    return shown;
}
