// Telling a difference readably.
#include "report.h"

#include <algorithm>
#include <cstdint>
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

// A line cut into its characters (a UTF-8 sequence, or a single byte that is none) as they are
// shown, and where each starts.
struct Shown {
    std::vector<std::string> pieces;
    std::vector<size_t> starts;
    size_t size = 0;  // of the line, in bytes
};

Shown shownPieces(const std::string &line) {
    Shown shown;
    shown.size = line.size();
    for (size_t i = 0; i < line.size();) {
        const size_t length = std::max<size_t>(1, utf8Length(line, i));
        shown.starts.push_back(i);
        shown.pieces.push_back(visible(line.substr(i, length)));
        i += length;
    }
    return shown;
}

// Columns a shown text takes: one a character.
size_t width(const std::string &shown) {
    size_t columns = 0;
    for (unsigned char c : shown)
        columns += (c & 0xc0) != 0x80;
    return columns;
}

// The index of the character that holds byte `at` (the count of them when at is past the end).
size_t pieceAt(const Shown &shown, size_t at) {
    size_t k = 0;
    while (k < shown.starts.size() && (k + 1 < shown.starts.size() ? shown.starts[k + 1] : shown.size) <= at)
        ++k;
    return k;
}

constexpr size_t shownColumns = 80;  // of a line shown whole; longer ones are cut around the marker
constexpr size_t columnsBefore = 30; // kept before the marker in a cut line

// Pieces [first, ...) of a line, as many as fit, with … where it is cut.
std::string cutLine(const Shown &shown, size_t first) {
    std::string text = first > 0 ? "…" : "";
    size_t columns = 0;
    size_t k = first;
    for (; k < shown.pieces.size() && columns + width(shown.pieces[k]) <= shownColumns; ++k) {
        text += shown.pieces[k];
        columns += width(shown.pieces[k]);
    }
    return k < shown.pieces.size() ? text + "…" : text;
}

// The first character that begins a cut line holding the marker at most columnsBefore
// columns in, or 0 when the lines are short enough to be shown whole.
size_t firstShown(const Shown &a, const Shown &b, size_t markerPiece) {
    size_t total = 0;
    for (const Shown *line : {&a, &b}) {
        size_t columns = 0;
        for (const std::string &piece : line->pieces)
            columns += width(piece);
        total = std::max(total, columns);
    }
    if (total <= shownColumns)
        return 0;
    size_t first = markerPiece;
    for (size_t columns = 0; first > 0 && first - 1 < a.pieces.size() &&
                             columns + width(a.pieces[first - 1]) <= columnsBefore;)
        columns += width(a.pieces[--first]);
    return first;
}

// The code point of a UTF-8 character, or 0 for a byte that is none.
uint32_t codePoint(const std::string &character) {
    const size_t length = character.empty() ? 0 : utf8Length(character, 0);
    if (length == 0 || length != character.size())
        return 0;
    const auto byte = [&character](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(character[i])); };
    if (length == 1)
        return byte(0);
    uint32_t value = byte(0) & (0x7f >> length);
    for (size_t i = 1; i < length; ++i)
        value = value << 6 | (byte(i) & 0x3f);
    return value;
}

// Characters a reader takes for one another: blanks, dashes, quotes, the degree and ordinal signs.
bool lookAlike(uint32_t a, uint32_t b) {
    static const std::vector<std::vector<uint32_t>> groups = {
        {0x20, 0xa0, 0x2007, 0x2009, 0x200a, 0x200b, 0x202f, 0x3000},
        {0x2d, 0x2010, 0x2011, 0x2012, 0x2013, 0x2014, 0x2212},
        {0x27, 0x60, 0xb4, 0x2018, 0x2019, 0x2032},
        {0x22, 0x201c, 0x201d, 0x201e, 0x2033},
        {0xb0, 0xba, 0x2da, 0x6f},
        {0xaa, 0x61}};
    for (const auto &group : groups)
        if (a != b && std::find(group.begin(), group.end(), a) != group.end() &&
            std::find(group.begin(), group.end(), b) != group.end())
            return true;
    return false;
}

std::string named(const char *word, uint32_t point, const std::string &shown) {
    char text[64];
    snprintf(text, sizeof text, "%s U+%04X", word, static_cast<unsigned>(point));
    return text + std::string(" «") + shown + "»";
}

// Both lines cut alike, the marker under the actual line's character at byte actualAt, and
// the two characters there named when they are look-alikes.
std::string bothLines(const DiffWords &words, const std::string &expectedLine, const std::string &actualLine,
                      size_t expectedAt, size_t actualAt) {
    const Shown want = shownPieces(expectedLine);
    const Shown got = shownPieces(actualLine);
    const size_t wantPiece = pieceAt(want, expectedAt);
    const size_t gotPiece = pieceAt(got, actualAt);
    const size_t first = firstShown(got, want, gotPiece);
    std::string shown = label(words.expected) + cutLine(want, std::min(first, want.pieces.size())) + "\n";
    shown += label(words.actual) + cutLine(got, first) + "\n";
    size_t markerAt = first > 0 ? 1 : 0;
    for (size_t k = first; k < gotPiece && k < got.pieces.size(); ++k)
        markerAt += width(got.pieces[k]);
    shown += std::string(10 + markerAt, ' ') + "^\n";
    if (wantPiece < want.pieces.size() && gotPiece < got.pieces.size()) {
        const uint32_t a = codePoint(want.pieces[wantPiece]);
        const uint32_t b = codePoint(got.pieces[gotPiece]);
        if (lookAlike(a, b))
            shown += "          " + named(words.expected, a, want.pieces[wantPiece]) + ", " +
                     named(words.actual, b, got.pieces[gotPiece]) + ": " + words.lookAlike + "\n";
    }
    return shown;
}

// The start of the character that holds byte `at` of a line.
size_t characterStart(const std::string &line, size_t at) {
    for (size_t back = 1; back <= 3 && back <= at; ++back)
        if (utf8Length(line, at - back) > back)
            return at - back;
    return at;
}

// The column of byte `at`, counted in characters from 1.
size_t columnOf(const std::string &line, size_t at) {
    const Shown shown = shownPieces(line.substr(0, at));
    return shown.pieces.size() + 1;
}

// A line of the conversation as the terminal showed it, but for what it would hide or garble:
// a carriage return (which sends the cursor back over the line), other control bytes and bytes
// that are no UTF-8 are shown as escapes; a bell leaves nothing on the screen.
std::string asSeen(const std::string &line) {
    std::string shown;
    for (size_t i = 0; i < line.size();) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        const size_t length = utf8Length(line, i);
        if (c == '\a' || c == '\t' || (c >= 0x20 && c != 0x7f && length > 0))
            shown += c == '\a' ? std::string{} : line.substr(i, length);
        else
            shown += visible(line.substr(i, 1));
        i += std::max<size_t>(1, length);
    }
    return shown;
}

}  // namespace

std::string renderDifference(const TextDifference &d, const DiffWords &words) {
    const size_t at = std::min(characterStart(d.expectedLine, d.column - 1), characterStart(d.actualLine, d.column - 1));
    std::string shown = heading(words, d.line, columnOf(d.actualLine, at));
    for (const std::string &line : d.before)
        shown += "      " + visible(line) + "\n";
    shown += bothLines(words, d.expectedLine, d.actualLine, at, at);
    for (const std::string &line : d.after)
        shown += "      " + visible(line) + "\n";
    return shown + others(words, d.otherLines);
}

std::string renderMismatch(const PatternMismatch &m, const DiffWords &words) {
    const size_t at = characterStart(m.actualLine, m.column - 1);
    std::string shown = heading(words, static_cast<size_t>(m.line), columnOf(m.actualLine, at));
    // The pattern's line does not line up with the output's; it is cut where the output's is.
    return shown + bothLines(words, m.patternLine, m.actualLine, std::string::npos, at);
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
        shown += (i == marked ? "> | " : "  | ") + asSeen(line) + "\n";
    }
    return shown;
}

std::string toUtf8(const std::string &text, Encoding from) {
    // 0x80 to 0xFF of Mac OS Roman, and 0x80 to 0x9F of Windows-1252 (from 0xA0 on, Latin-1 is
    // Unicode's own first 256 code points).
    static const uint16_t macRoman[128] = {
        0x00c4, 0x00c5, 0x00c7, 0x00c9, 0x00d1, 0x00d6, 0x00dc, 0x00e1, 0x00e0, 0x00e2, 0x00e4, 0x00e3, 0x00e5,
        0x00e7, 0x00e9, 0x00e8, 0x00ea, 0x00eb, 0x00ed, 0x00ec, 0x00ee, 0x00ef, 0x00f1, 0x00f3, 0x00f2, 0x00f4,
        0x00f6, 0x00f5, 0x00fa, 0x00f9, 0x00fb, 0x00fc, 0x2020, 0x00b0, 0x00a2, 0x00a3, 0x00a7, 0x2022, 0x00b6,
        0x00df, 0x00ae, 0x00a9, 0x2122, 0x00b4, 0x00a8, 0x2260, 0x00c6, 0x00d8, 0x221e, 0x00b1, 0x2264, 0x2265,
        0x00a5, 0x00b5, 0x2202, 0x2211, 0x220f, 0x03c0, 0x222b, 0x00aa, 0x00ba, 0x03a9, 0x00e6, 0x00f8, 0x00bf,
        0x00a1, 0x00ac, 0x221a, 0x0192, 0x2248, 0x2206, 0x00ab, 0x00bb, 0x2026, 0x00a0, 0x00c0, 0x00c3, 0x00d5,
        0x0152, 0x0153, 0x2013, 0x2014, 0x201c, 0x201d, 0x2018, 0x2019, 0x00f7, 0x25ca, 0x00ff, 0x0178, 0x2044,
        0x20ac, 0x2039, 0x203a, 0xfb01, 0xfb02, 0x2021, 0x00b7, 0x201a, 0x201e, 0x2030, 0x00c2, 0x00ca, 0x00c1,
        0x00cb, 0x00c8, 0x00cd, 0x00ce, 0x00cf, 0x00cc, 0x00d3, 0x00d4, 0xf8ff, 0x00d2, 0x00da, 0x00db, 0x00d9,
        0x0131, 0x02c6, 0x02dc, 0x00af, 0x02d8, 0x02d9, 0x02da, 0x00b8, 0x02dd, 0x02db, 0x02c7};
    static const uint16_t windows[32] = {
        0x20ac, 0x0081, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008d, 0x017d, 0x008f, 0x0090, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022,
        0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0x009d, 0x017e, 0x0178};
    std::string converted;
    for (unsigned char c : text) {
        const uint32_t point = c < 0x80                    ? c
                               : from == Encoding::MacRoman ? macRoman[c - 0x80]
                               : c < 0xa0                   ? windows[c - 0x80]
                                                            : c;
        if (point < 0x80) {
            converted += static_cast<char>(point);
        } else if (point < 0x800) {
            converted += static_cast<char>(0xc0 | point >> 6);
            converted += static_cast<char>(0x80 | (point & 0x3f));
        } else {
            converted += static_cast<char>(0xe0 | point >> 12);
            converted += static_cast<char>(0x80 | (point >> 6 & 0x3f));
            converted += static_cast<char>(0x80 | (point & 0x3f));
        }
    }
    return converted;
}
