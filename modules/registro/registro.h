// registro: the person record of the record programs and its three text formatters.
#ifndef REGISTRO_H
#define REGISTRO_H

#include <cstddef>
#include <cstdint>

#include "utiles.h"

// Bytes of the name field: at most 19 bytes of text and its NUL.
constexpr int longitudNombre = 20;

// One person. The record file stores it byte for byte as it lies in memory.
struct Registro {
    char nombre[longitudNombre];    // UTF-8 text ended by a NUL
    int32_t edad;                   // years
    float talla;                    // metres
};

// The record file relies on this layout: 28 bytes, the fields at 0, 20 and 24, no gaps.
static_assert(sizeof(float) == 4, "talla must be a 32-bit real");
static_assert(offsetof(Registro, edad) == 20, "edad must follow the 20 name bytes");
static_assert(offsetof(Registro, talla) == 24, "talla must follow edad");
static_assert(sizeof(Registro) == 28, "a record must take 28 bytes");

// Each formatter returns a new text of exactly its length plus the NUL; the caller
// releases it with free. A name is read up to its NUL or its 20 bytes, whichever comes
// first, so a name field without a NUL (from a file) is shown cut at 20 bytes.

// The fields joined by the delimiter, which may be empty or of any length:
// name, delimiter, age, delimiter, height with six decimals.
charRef toDelimString(const Registro *registro, const char *delimitador);

// The fields in columns of the three widths (name, age, height): the name left-aligned,
// the numbers right-aligned. Widths are minimums: a longer value is written whole.
charRef toEncolString(const Registro *registro, const int anchuras[3]);

// One row of a boxed listing: "| name | age | height |", 38 bytes for ordinary values.
charRef toString(const Registro *registro);

#endif
