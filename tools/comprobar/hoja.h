// make corregir HOJA=: the platform's offline grading worksheet filled with the marks, and the
// feedback files in the zip the platform takes back.
#ifndef COMPROBAR_HOJA_H
#define COMPROBAR_HOJA_H

#include <filesystem>
#include <string>
#include <vector>

#include "notas.h"

// Fills the worksheet downloaded from the assignment (its headers in English or Spanish) with
// each row's grade and feedback comment, matched by the participant's number of each folder,
// and writes it to output/hoja-calificaciones.csv; rows without a submission stay as they were.
// Prints the folders with no row. False when the worksheet cannot be read or written.
bool fillWorksheet(const std::filesystem::path &worksheet, const std::filesystem::path &output,
                   const std::vector<MarkRow> &rows);

// output/retroalimentacion.zip: each student's feedback file in a folder named as the
// platform's download named the submission's, for the folders that carry a participant's number.
bool feedbackZip(const std::filesystem::path &output, const std::vector<MarkRow> &rows);

// A zip of stored files (name, bytes), the names in UTF-8.
std::string zipOf(const std::vector<std::pair<std::string, std::string>> &files);

#endif
