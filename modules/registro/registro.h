// registro: el registro de una persona (nombre, edad y talla) y sus tres formatos de texto
#ifndef REGISTRO_H
#define REGISTRO_H

#include <cstddef>
#include <cstdint>

#include "utiles.h"

// Bytes del campo nombre: como mucho 19 bytes de texto y su NUL.
constexpr int longitudNombre = 20;

// Una persona. El archivo de registros la guarda byte a byte tal como está en memoria.
struct Registro {
    char nombre[longitudNombre];    // texto UTF-8 terminado en NUL
    int32_t edad;                   // años
    float talla;                    // metros
};

// El archivo de registros depende de esta forma: 28 bytes, los campos en 0, 20 y 24, sin huecos.
static_assert(sizeof(float) == 4, "talla must be a 32-bit real");
static_assert(offsetof(Registro, edad) == 20, "edad must follow the 20 name bytes");
static_assert(offsetof(Registro, talla) == 24, "talla must follow edad");
static_assert(sizeof(Registro) == 28, "a record must take 28 bytes");

// Cada formateador devuelve un texto nuevo de exactamente su longitud más el NUL; quien
// llama lo libera con free. Un nombre se lee hasta su NUL o hasta sus 20 bytes, lo que
// llegue antes: un campo nombre sin NUL (leído de un archivo) sale cortado a los 20 bytes.

// Los campos unidos por el delimitador, que puede estar vacío o tener cualquier longitud:
// nombre, delimitador, edad, delimitador, talla con seis decimales.
charRef toDelimString(const Registro *registro, const char *delimitador);

// Los campos en columnas de las tres anchuras (nombre, edad, talla): el nombre ajustado a la
// izquierda y los números a la derecha. Son anchuras mínimas: un valor más largo sale entero.
charRef toEncolString(const Registro *registro, const int anchuras[3]);

// Una fila de un listado con recuadro: "| nombre | edad | talla |", 38 bytes con valores normales.
charRef toString(const Registro *registro);

#endif
