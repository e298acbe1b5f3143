// lineecho: reads a whole text file into a list of lines and shows the last ten of them.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "lineas.h"
#include "utiles.h"

namespace {

constexpr int incremento = 500;  // the line array grows by this many entries at a time
constexpr int ultimas = 10;      // how many lines, at the end of the file, are shown

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

// This program's own copy of the line-list reader: the same list, a shorter failure message.
int linedump(const char *ruta, charRef **lineas, int *numLineas) {
    FILE *fichero = fopen(ruta, "r");
    if (fichero == nullptr) {
        printf("\n%s\n\a", strerror(errno));
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

}  // namespace

int main() {
    charRef ruta = pedir("¿Cual es la ruta del fichero? ");
    charRef *lineas = nullptr;
    int numLineas = 0;
    if (linedump(ruta, &lineas, &numLineas) != 0)
        return 0;  // linedump has said why

    printf("\nSe han leído %d líneas\n\n", numLineas);
    // A file of fewer than ten lines is shown whole.
    const int primera = numLineas > ultimas ? numLineas - ultimas : 0;
    for (int i = primera; i < numLineas; ++i)
        printf("La línea %d contiene \"%s\"\n", i, lineas[i]);
    return 0;
}
