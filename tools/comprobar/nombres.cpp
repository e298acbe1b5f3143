// Names of students' folders, made safe to show, to sort and to store.
#include "nombres.h"

#include <cstdio>

namespace {

// The length of the UTF-8 sequence that starts at text[at], and its code point; 0 when the
// bytes there are no UTF-8.
size_t decode(const std::string &text, size_t at, uint32_t &point) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    point = length == 1 ? lead : lead & (0x7f >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xc0) != 0x80)
            return 0;
        point = point << 6 | (byte(at + i) & 0x3f);
    }
    // Overlong forms and surrogates would let a control byte through in disguise.
    static const uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < smallest[length] || point > 0x10ffff || (point >= 0xd800 && point <= 0xdfff))
        return 0;
    return length;
}

bool combining(uint32_t point) {
    return point >= 0x300 && point <= 0x36f;
}

// What a terminal acts on instead of showing: controls, and the marks that reorder a line.
bool acted(uint32_t point) {
    return point < 0x20 || (point >= 0x7f && point <= 0x9f) || (point >= 0x202a && point <= 0x202e) ||
           (point >= 0x2066 && point <= 0x2069) || point == 0x200e || point == 0x200f;
}

std::string hexBytes(const std::string &text, size_t at, size_t length) {
    std::string shown;
    for (size_t i = at; i < at + length; ++i) {
        char byte[8];
        snprintf(byte, sizeof byte, "\\x%02x", static_cast<unsigned char>(text[i]));
        shown += byte;
    }
    return shown;
}

// The letter a Latin-1 letter with an accent is a form of, or 0.
char baseLetter(uint32_t point) {
    static const char *const forms = "aaaaaaaceeeeiiiidnooooo/ouuuuyty";  // from U+00E0
    if (point == 0xdf)
        return 's';
    if (point >= 0xc0 && point <= 0xde)
        point += 0x20;
    if (point >= 0xe0 && point <= 0xff && point != 0xf7 && point != 0xf1)
        return forms[point - 0xe0];
    return 0;
}

uint64_t hashOf(const std::string &text) {
    uint64_t hash = 1469598103934665603ULL;  // FNV-1a
    for (unsigned char byte : text)
        hash = (hash ^ byte) * 1099511628211ULL;
    return hash;
}

}  // namespace

std::string visibleName(const std::string &name) {
    std::string shown;
    for (size_t at = 0; at < name.size();) {
        uint32_t point = 0;
        const size_t length = decode(name, at, point);
        if (length == 0) {
            shown += hexBytes(name, at, 1);
            ++at;
            continue;
        }
        shown += acted(point) ? hexBytes(name, at, length) : name.substr(at, length);
        at += length;
    }
    return shown;
}

size_t displayWidth(const std::string &text) {
    size_t width = 0;
    for (size_t at = 0; at < text.size();) {
        uint32_t point = 0;
        const size_t length = decode(text, at, point);
        width += length == 0 || !combining(point);
        at += length == 0 ? 1 : length;
    }
    return width;
}

std::string padded(const std::string &text, size_t width) {
    const size_t shown = displayWidth(text);
    return shown >= width ? text : text + std::string(width - shown, ' ');
}

std::string shortened(const std::string &text, size_t width) {
    if (displayWidth(text) <= width)
        return text;
    size_t at = 0;
    for (size_t shown = 0; at < text.size();) {
        uint32_t point = 0;
        const size_t length = decode(text, at, point);
        const bool counts = length == 0 || !combining(point);
        if (counts && shown + 1 >= width)
            break;
        shown += counts;
        at += length == 0 ? 1 : length;
    }
    return text.substr(0, at) + "…";
}

std::vector<uint32_t> spanishKey(const std::string &name) {
    // Letters weigh twice their place, so that ñ fits between n and o; what is no letter keeps
    // its place among the ASCII signs, and any other script comes after z.
    const auto letter = [](char c) { return 0x61 + 2 * static_cast<uint32_t>(c - 'a'); };
    std::vector<uint32_t> key;
    for (size_t at = 0; at < name.size();) {
        uint32_t point = 0;
        size_t length = decode(name, at, point);
        if (length == 0) {
            point = 0x110000 + static_cast<unsigned char>(name[at]);
            length = 1;
        }
        at += length;
        if (point >= 'A' && point <= 'Z')
            point += 0x20;
        if (combining(point)) {
            // An n followed by a combining tilde (as macOS writes names) is an ñ.
            if (point == 0x303 && !key.empty() && key.back() == letter('n'))
                key.back() = letter('n') + 1;
            continue;
        }
        if (point == 0xf1 || point == 0xd1)
            key.push_back(letter('n') + 1);
        else if (point >= 'a' && point <= 'z')
            key.push_back(letter(static_cast<char>(point)));
        else if (const char base = baseLetter(point); base >= 'a' && base <= 'z')
            key.push_back(letter(base));
        else
            key.push_back(point < 0x61 ? point : point + 0x100);
    }
    return key;
}

bool spanishLess(const std::string &a, const std::string &b) {
    const auto keyA = spanishKey(a);
    const auto keyB = spanishKey(b);
    return keyA != keyB ? keyA < keyB : a < b;
}

std::string fileStem(const std::string &name) {
    const std::string shown = visibleName(name);
    constexpr size_t longest = 120;
    if (shown.size() <= longest)
        return shown;
    // Cut at the start of a character, never inside one.
    size_t cut = 100;
    while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xc0) == 0x80)
        --cut;
    char hash[24];
    snprintf(hash, sizeof hash, "%08llx", static_cast<unsigned long long>(hashOf(name) & 0xffffffffULL));
    return shown.substr(0, cut) + "…-" + hash;
}
