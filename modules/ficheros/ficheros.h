// ficheros: text files read whole as lists of lines, and tables of reals in text files.
#ifndef FICHEROS_H
#define FICHEROS_H

#include "utiles.h"

// Reads the whole text file at ruta. *lineas receives a new array of heap strings, one per
// line in file order, without line ends, and *numLineas their number. Returns 0; returns 1
// after a message when the file cannot be opened, and then hands nothing over.
// The caller releases every line, then the array.
int linedump(const char *ruta, charRef **lineas, int *numLineas);

// Reads filas x columnas reals (row after row) from the text file at ruta into a new table
// handed over in *tabla, which the caller releases. Returns how many elements could not be
// read; they hold NaN. When the file cannot be opened it prints a message, returns 0 and
// leaves *tabla as it was.
int leerTablaReales(float **tabla, int filas, int columnas, const char *ruta);

// Prints the table, one row per line. Returns 1, printing nothing, when there is no table.
int mostrarTablaReales(const float *tabla, int filas, int columnas);

#endif
