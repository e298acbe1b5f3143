// The offline grading worksheet of the platform's assignment, filled; the feedback zip.
#include "hoja.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <map>

#include "case.h"

namespace {

// The worksheet's columns, as the platform names them in English and in Spanish.
const char *const identifierNames[] = {"identifier", "identificador"};
const char *const gradeNames[] = {"grade", "calificación"};
const char *const maximumNames[] = {"maximum grade", "calificación máxima"};
const char *const feedbackNames[] = {"feedback comments", "comentarios de retroalimentación"};

std::string lowered(const std::string &text) {
    std::string low;
    for (char c : text)
        low += static_cast<char>(tolower(static_cast<unsigned char>(c)));
    const size_t start = low.find_first_not_of(" \t");
    const size_t end = low.find_last_not_of(" \t");
    return start == std::string::npos ? std::string{} : low.substr(start, end - start + 1);
}

template <size_t N>
int columnOf(const std::vector<std::string> &header, const char *const (&names)[N], bool *spanish = nullptr) {
    for (size_t i = 0; i < header.size(); ++i)
        for (size_t k = 0; k < N; ++k)
            if (lowered(header[i]) == names[k]) {
                if (spanish != nullptr)
                    *spanish = k == 1;
                return static_cast<int>(i);
            }
    return -1;
}

// The digits that end "Participant 1001" or "Participante 1001".
std::string numberAtEnd(const std::string &text) {
    size_t end = text.find_last_not_of(" \t");
    if (end == std::string::npos)
        return {};
    size_t start = end + 1;
    while (start > 0 && isdigit(static_cast<unsigned char>(text[start - 1])))
        --start;
    return text.substr(start, end + 1 - start);
}

// A field as the platform writes its worksheets: quoted also when it holds a blank.
std::string worksheetField(const std::string &text, char separator) {
    if (text.find_first_of(std::string(1, separator) + "\"\\ \t\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string summary(const MarkRow &row) {
    std::string told = std::to_string(row.passed) + " de " + std::to_string(row.total) + " casos correctos";
    if (!row.note.empty())
        told += " (" + row.note + ")";
    return told + ". El informe, en el archivo de retroalimentación.";
}

uint32_t crc32Of(const std::string &bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void little(std::string &out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string zipOf(const std::vector<std::pair<std::string, std::string>> &files) {
    const time_t now = time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    const uint32_t dosTime = (local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2);
    const uint32_t dosDate = ((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday;
    std::string zip, directory;
    for (const auto &[name, bytes] : files) {
        const uint32_t crc = crc32Of(bytes);
        std::string common;
        little(common, 20, 2);      // version needed
        little(common, 1u << 11, 2);  // names in UTF-8
        little(common, 0, 2);       // stored
        little(common, dosTime, 2);
        little(common, dosDate, 2);
        little(common, crc, 4);
        little(common, static_cast<uint32_t>(bytes.size()), 4);
        little(common, static_cast<uint32_t>(bytes.size()), 4);
        little(common, static_cast<uint32_t>(name.size()), 2);
        little(common, 0, 2);  // no extra field
        const uint32_t offset = static_cast<uint32_t>(zip.size());
        little(zip, 0x04034b50, 4);
        zip += common + name + bytes;
        little(directory, 0x02014b50, 4);
        little(directory, 0x0314, 2);  // made by: Unix
        directory += common;
        little(directory, 0, 2);  // no comment
        little(directory, 0, 2);  // disk
        little(directory, 0, 2);  // internal attributes
        little(directory, 0100644u << 16, 4);
        little(directory, offset, 4);
        directory += name;
    }
    const uint32_t start = static_cast<uint32_t>(zip.size());
    zip += directory;
    little(zip, 0x06054b50, 4);
    little(zip, 0, 4);
    little(zip, static_cast<uint32_t>(files.size()), 2);
    little(zip, static_cast<uint32_t>(files.size()), 2);
    little(zip, static_cast<uint32_t>(directory.size()), 4);
    little(zip, start, 4);
    little(zip, 0, 2);
    return zip;
}

bool feedbackZip(const std::filesystem::path &output, const std::vector<MarkRow> &rows) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const MarkRow &row : rows)
        if (!participantOf(row.student).empty())
            files.push_back({row.student + "/retroalimentacion.txt",
                             readFile(row.feedback).value_or("")});
    if (files.empty())
        return true;
    const std::filesystem::path zip = output / "retroalimentacion.zip";
    if (!writeBytes(zip, zipOf(files))) {
        printf("No se pudo escribir %s.\n", zip.c_str());
        return false;
    }
    printf("Los informes, para subirlos de una vez a la tarea de la plataforma: %s\n", zip.c_str());
    return true;
}

bool fillWorksheet(const std::filesystem::path &worksheet, const std::filesystem::path &output,
                   const std::vector<MarkRow> &rows) {
    const auto text = readFile(worksheet);
    if (!text) {
        printf("No se puede leer la hoja de calificaciones %s.\n", worksheet.c_str());
        return false;
    }
    // The separator is the one that shows the identifier's column in the header.
    std::vector<CsvRecord> records;
    char separator = 0;
    bool spanish = false;
    int identifier = -1;
    for (char candidate : {',', ';', '\t', ':'}) {
        records = parseCsv(*text, candidate);
        if (!records.empty() && (identifier = columnOf(records[0].fields, identifierNames, &spanish)) >= 0) {
            separator = candidate;
            break;
        }
    }
    const int grade = separator ? columnOf(records[0].fields, gradeNames) : -1;
    const int maximum = separator ? columnOf(records[0].fields, maximumNames) : -1;
    const int feedback = separator ? columnOf(records[0].fields, feedbackNames) : -1;
    if (identifier < 0 || grade < 0) {
        printf("%s no parece la hoja de calificaciones de una tarea: le faltan las columnas "
               "«Identificador» y «Calificación» (o «Identifier» y «Grade»). Descárgala desde la tarea, "
               "en «Descargar hoja de calificaciones».\n",
               worksheet.c_str());
        return false;
    }
    std::map<std::string, const MarkRow *> byNumber;
    for (const MarkRow &row : rows)
        if (const std::string number = participantOf(row.student); !number.empty())
            byNumber[number] = &row;
    std::string filled = text->compare(0, 3, "\xEF\xBB\xBF") == 0 ? "\xEF\xBB\xBF" : "";
    std::map<std::string, bool> used;
    for (size_t r = 0; r < records.size(); ++r) {
        CsvRecord &record = records[r];
        const auto found = r == 0 || static_cast<int>(record.fields.size()) <= identifier
                               ? byNumber.end()
                               : byNumber.find(numberAtEnd(record.fields[identifier]));
        if (found == byNumber.end()) {
            filled += record.bytes;
            continue;
        }
        used[found->first] = true;
        const MarkRow &row = *found->second;
        auto &fields = record.fields;
        fields.resize(std::max<size_t>(fields.size(), std::max(grade, feedback) + 1));
        const std::string maximumText = maximum >= 0 ? fields[maximum] : "";
        long long scale = parseHundredths(maximumText);
        if (scale <= 0)
            scale = 1000;
        // The grade in the worksheet's own decimal form, which the platform reads back.
        char decimal = spanish ? ',' : '.';
        if (maximumText.find(',') != std::string::npos)
            decimal = ',';
        else if (maximumText.find('.') != std::string::npos)
            decimal = '.';
        fields[grade] = decimalText(hundredths(row.passed, row.total, scale), decimal);
        if (feedback >= 0)
            fields[feedback] = summary(row);
        std::string line;
        for (size_t i = 0; i < fields.size(); ++i)
            line += (i > 0 ? std::string(1, separator) : std::string{}) + worksheetField(fields[i], separator);
        const bool crlf = record.bytes.size() >= 2 && record.bytes.compare(record.bytes.size() - 2, 2, "\r\n") == 0;
        const bool ended = !record.bytes.empty() && record.bytes.back() == '\n';
        filled += line + (crlf ? "\r\n" : ended ? "\n" : "");
    }
    const std::filesystem::path written = output / "hoja-calificaciones.csv";
    if (!writeBytes(written, filled)) {
        printf("No se pudo escribir %s.\n", written.c_str());
        return false;
    }
    printf("La hoja de calificaciones rellena, para subirla a la tarea: %s (%zu de %zu entregas)\n",
           written.c_str(), used.size(), rows.size());
    for (const MarkRow &row : rows) {
        const std::string number = participantOf(row.student);
        if (number.empty())
            printf("  %s: su carpeta no lleva el número de participante: ponle la nota a mano.\n",
                   row.student.c_str());
        else if (!used.count(number))
            printf("  %s: la hoja no tiene la fila del participante %s: ponle la nota a mano.\n",
                   row.student.c_str(), number.c_str());
    }
    return true;
}
