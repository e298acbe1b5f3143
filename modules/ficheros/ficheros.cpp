// ficheros: text files read whole as lists of lines, and tables of reals in text files.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ficheros.h"
#include "lineas.h"

namespace {

constexpr int incremento = 500;  // the line array grows by this many entries at a time

// Without memory the program cannot go on: say so and end.
void *reservar(size_t bytes) {
    void *memoria = malloc(bytes);
    if (memoria == nullptr) {
        puts("\nNo queda memoria libre");
        exit(1);
    }
    return memoria;
}

// The line array with room for capacidad entries; the entries stored so far are kept.
charRef *ampliar(charRef *lineas, int capacidad) {
    void *memoria = realloc(lineas, capacidad * sizeof(charRef));
    if (memoria == nullptr) {
        puts("\nNo queda memoria libre");
        exit(1);
    }
    return static_cast<charRef *>(memoria);
}

// A new string holding the line's text: its bytes before the line feed, the first carriage
// return or a NUL byte, whichever comes first. Only that much is allocated, so a long file
// takes no more memory than its text.
charRef copiarLinea(const char *bytes, size_t longitud) {
    size_t largo = 0;
    while (largo < longitud && bytes[largo] != '\n' && bytes[largo] != '\r' &&
           bytes[largo] != '\0')
        ++largo;
    charRef linea = static_cast<charRef>(reservar(largo + 1));
    memcpy(linea, bytes, largo);
    linea[largo] = '\0';
    return linea;
}

}  // namespace

int linedump(const char *ruta, charRef **lineas, int *numLineas) {
    FILE *fichero = fopen(ruta, "r");
    if (fichero == nullptr) {
        printf("\n\nError en linedump: \"%s\" - %s\n\n\a", ruta, strerror(errno));
        return 1;
    }
    // Big reads: a long file then takes a few system calls instead of thousands.
    char bufferLectura[65536];
    setvbuf(fichero, bufferLectura, _IOFBF, sizeof bufferLectura);

    int capacidad = incremento;
    charRef *lista = static_cast<charRef *>(reservar(capacidad * sizeof(charRef)));
    int cuenta = 0;

    // A read error ends the list as the end of the file does.
    size_t longitud = 0;
    const char *bytes;
    while ((bytes = siguienteLinea(fichero, &longitud)) != nullptr) {
        lista[cuenta] = copiarLinea(bytes, longitud);
        ++cuenta;
        if (cuenta == capacidad) {
            capacidad += incremento;
            lista = ampliar(lista, capacidad);
        }
    }
    fclose(fichero);

    *lineas = lista;
    *numLineas = cuenta;
    return 0;
}

int leerTablaReales(float **tabla, int filas, int columnas, const char *ruta) {
    FILE *fichero = fopen(ruta, "r");
    if (fichero == nullptr) {
        printf("\nleerTablasReales - Error : %s\n", strerror(errno));
        return 0;
    }

    const long elementos = static_cast<long>(filas) * columnas;
    float *valores = static_cast<float *>(reservar(elementos * sizeof(float)));
    int sinLeer = 0;
    for (long k = 0; k < elementos; ++k) {
        if (fscanf(fichero, "%f", &valores[k]) != 1) {
            // Mark the element and step over the word that is no number.
            valores[k] = NAN;
            fscanf(fichero, "%*1023s");
            ++sinLeer;
        }
    }
    fclose(fichero);

    *tabla = valores;
    return sinLeer;
}

int mostrarTablaReales(const float *tabla, int filas, int columnas) {
    if (tabla == nullptr)
        return 1;
    const long elementos = static_cast<long>(filas) * columnas;
    for (long k = 0; k < elementos; ++k) {
        if ((k + 1) % columnas != 0)
            printf("%10.4f", static_cast<double>(tabla[k]));
        else
            printf("%10.4f\n", static_cast<double>(tabla[k]));
    }
    return 0;
}
