// notas.csv, written and read back.
#include "notas.h"

#include <cstdio>

#include "case.h"
#include "nombres.h"

std::string marksHeader() {
    return "alumno,correctos,total,nota,curso_correctos,curso_total,ocultos_correctos,ocultos_total,"
           "observaciones\n";
}

std::string marksRow(const Mark &mark) {
    const int passed = mark.coursePassed + mark.hiddenPassed;
    const int total = mark.courseTotal + mark.hiddenTotal;
    char numbers[160];
    if (mark.graded)
        snprintf(numbers, sizeof numbers, "%d,%d,%.2f,%d,%d,%d,%d", passed, total,
                 total > 0 ? 10.0 * passed / total : 0.0, mark.coursePassed, mark.courseTotal,
                 mark.hiddenPassed, mark.hiddenTotal);
    else
        snprintf(numbers, sizeof numbers, ",,,,,,");  // not graded: no mark, not a zero
    return markKey(mark) + "," + numbers + "," + csvField(mark.note) + "\n";
}

std::string markKey(const Mark &mark) {
    return csvField(mark.student);
}

std::vector<std::pair<std::string, std::string>> readMarks(const fs::path &file) {
    std::vector<std::pair<std::string, std::string>> rows;
    const std::string text = readFile(file).value_or("");
    size_t at = text.find('\n');  // after the header
    while (at != std::string::npos && ++at < text.size()) {
        // A record ends at a line feed outside quotes; its key is its first field as written.
        const size_t start = at;
        size_t keyEnd = std::string::npos;
        bool quoted = false;
        for (; at < text.size(); ++at) {
            if (text[at] == '"')
                quoted = !quoted;
            else if (!quoted && text[at] == ',' && keyEnd == std::string::npos)
                keyEnd = at;
            else if (!quoted && text[at] == '\n')
                break;
        }
        const size_t end = at < text.size() ? at + 1 : at;
        std::string row = text.substr(start, end - start);
        if (row.empty() || row.back() != '\n')
            row += '\n';
        rows.emplace_back(text.substr(start, (keyEnd == std::string::npos ? end : keyEnd) - start), row);
        if (at >= text.size())
            break;
    }
    return rows;
}
