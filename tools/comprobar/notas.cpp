// notas.csv: the fields, the mark rounded as a teacher rounds it, the participant's number.
#include "notas.h"

#include <cctype>
#include <cstdio>

#include "case.h"

std::string csvField(const std::string &text, char separator) {
    if (!text.empty() && std::string("=+-@\t\r").find(text[0]) != std::string::npos)
        return quotedField("'" + text, separator);
    return quotedField(text, separator);
}

std::string quotedField(const std::string &text, char separator) {
    const std::string special = std::string(1, separator) + "\"\r\n";
    if (text.find_first_of(special) == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::vector<CsvRecord> parseCsv(const std::string &text, char separator) {
    std::vector<CsvRecord> records;
    size_t i = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (i < text.size()) {
        CsvRecord record;
        const size_t start = i;
        std::string field;
        bool quoted = false;
        for (; i < text.size(); ++i) {
            const char c = text[i];
            if (quoted) {
                if (c != '"')
                    field += c;
                else if (i + 1 < text.size() && text[i + 1] == '"')
                    field += text[++i];
                else
                    quoted = false;
            } else if (c == '"') {
                quoted = true;
            } else if (c == separator) {
                record.fields.push_back(field);
                field.clear();
            } else if (c == '\n') {
                ++i;
                break;
            } else if (c != '\r') {
                field += c;
            }
        }
        record.fields.push_back(field);
        record.bytes = text.substr(start, i - start);
        records.push_back(record);
    }
    return records;
}

long long hundredths(long long passed, long long total, long long scaleHundredths) {
    if (total <= 0)
        return 0;
    return (2 * passed * scaleHundredths + total) / (2 * total);
}

std::string decimalText(long long value, char decimal) {
    const std::string cents = std::to_string(100 + value % 100).substr(1);
    return std::to_string(value / 100) + decimal + cents;
}

long long parseHundredths(const std::string &text) {
    long long whole = 0;
    long long cents = 0;
    int digits = 0;
    size_t i = 0;
    for (; i < text.size() && isdigit(static_cast<unsigned char>(text[i])); ++i, ++digits)
        whole = whole * 10 + (text[i] - '0');
    if (digits == 0 || digits > 12)
        return -1;
    if (i < text.size() && (text[i] == ',' || text[i] == '.')) {
        int places = 0;
        for (++i; i < text.size() && isdigit(static_cast<unsigned char>(text[i])); ++i, ++places)
            if (places < 2)
                cents = cents * 10 + (text[i] - '0');
        for (; places < 2; ++places)
            cents *= 10;
    }
    return i == text.size() ? whole * 100 + cents : -1;
}

std::string participantOf(const std::string &folder) {
    const size_t marker = folder.rfind("_assignsubmission_");
    if (marker == std::string::npos)
        return {};
    size_t start = marker;
    while (start > 0 && isdigit(static_cast<unsigned char>(folder[start - 1])))
        --start;
    if (start == marker || start == 0 || folder[start - 1] != '_')
        return {};
    return folder.substr(start, marker - start);
}

std::string marksHeader(const CsvStyle &style) {
    std::string header = "\xEF\xBB\xBF";
    for (const char *name : {"alumno", "participante", "correctos", "total", "nota", "curso_correctos",
                             "curso_total", "ocultos_correctos", "ocultos_total"})
        header += std::string(name) + style.separator;
    return header + "observaciones\n";
}

std::string marksRow(const Mark &mark, const CsvStyle &style) {
    const std::string s(1, style.separator);
    const int passed = mark.coursePassed + mark.hiddenPassed;
    const int total = mark.courseTotal + mark.hiddenTotal;
    // Not graded: no mark, not a zero.
    const std::string numbers =
        mark.graded ? std::to_string(passed) + s + std::to_string(total) + s +
                          decimalText(hundredths(passed, total, 1000), style.decimal) + s +
                          std::to_string(mark.coursePassed) + s + std::to_string(mark.courseTotal) + s +
                          std::to_string(mark.hiddenPassed) + s + std::to_string(mark.hiddenTotal)
                    : s + s + s + s + s + s;
    return markKey(mark, style) + s + participantOf(mark.folder) + s + numbers + s +
           csvField(mark.note, style.separator) + "\n";
}

std::string markKey(const Mark &mark, const CsvStyle &style) {
    return csvField(mark.student, style.separator);
}

std::vector<std::pair<std::string, std::string>> readMarks(const std::filesystem::path &file,
                                                          const CsvStyle &style) {
    std::vector<std::pair<std::string, std::string>> rows;
    const std::vector<CsvRecord> records = parseCsv(readFile(file).value_or(""), style.separator);
    for (size_t r = 1; r < records.size(); ++r) {
        std::string row = records[r].bytes;
        if (row.empty() || row.back() != '\n')
            row += '\n';
        // Its first field, quoted as it was written (the apostrophe is in the field already).
        rows.emplace_back(quotedField(records[r].fields[0], style.separator), row);
    }
    return rows;
}

bool writeBytes(const std::filesystem::path &path, const std::string &bytes) {
    FILE *file = fopen(path.c_str(), "wb");
    const bool written = file != nullptr && fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return file != nullptr && fclose(file) == 0 && written;
}
