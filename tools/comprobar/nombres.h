// A student's folder name as the grader shows it: in the terminal's table, in notas.csv, as a
// feedback file's name. Any name is safe: a folder name is a student's text, not the grader's.
#ifndef COMPROBAR_NOMBRES_H
#define COMPROBAR_NOMBRES_H

#include <cstdint>
#include <string>
#include <vector>

// The name with every byte a terminal would act on shown as \xNN: control bytes, C1 controls,
// the marks that reverse the direction of a line, and bytes that are no UTF-8.
std::string visibleName(const std::string &name);

// The width of a text on a terminal, in characters (UTF-8), accents that combine counted none.
size_t displayWidth(const std::string &text);

// The text, then spaces up to the width.
std::string padded(const std::string &text, size_t width);

// The text cut to a width, with … in place of what is left out.
std::string shortened(const std::string &text, size_t width);

// The order a Spanish reader expects: case and accents ignored at first, ñ after n.
std::vector<uint32_t> spanishKey(const std::string &name);
bool spanishLess(const std::string &a, const std::string &b);

// A file name of at most some 120 bytes for a folder name: the visible name, or a long one cut
// and followed by a short hash of the whole, so that it stays unique and recognisable.
std::string fileStem(const std::string &name);

#endif
