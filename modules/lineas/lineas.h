// lineas: the next line of a stream, read whole however long it is.
#ifndef LINEAS_H
#define LINEAS_H

#include <cstddef>
#include <cstdio>

// Returns the address of the next line of flujo and stores in *longitud its number of bytes,
// the line feed included when the line has one. There is no NUL after the bytes, and they
// stay valid only until the next call. Returns nullptr at end of file and on a read error.
const char *siguienteLinea(FILE *flujo, size_t *longitud);

#endif
