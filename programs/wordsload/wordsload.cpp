// wordsload: reads a string file, says how many strings it holds and shows them.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "utiles.h"

namespace {

// Size of an open file in bytes, found by seeking to its end; -1 if it cannot be found.
// A directory opens like a file but its size means nothing: its first read fails.
long tamanoArchivo(FILE *archivo) {
    if (fgetc(archivo) == EOF && ferror(archivo))
        return -1;
    if (fseek(archivo, 0, SEEK_END) != 0)
        return -1;
    const long tamano = ftell(archivo);
    if (tamano < 0 || fseek(archivo, 0, SEEK_SET) != 0)  // unlike rewind, it can fail seen
        return -1;
    return tamano;
}

// Says which file cannot be read, and why, and ends the program.
[[noreturn]] void terminarPorArchivo(const char *nombreArchivo, int error) {
    printf("\n%s - %s - Saliendo.\n\n", nombreArchivo, strerror(error));
    exit(1);
}

// A new heap block; without memory the program cannot go on. An empty file or list still
// gets a block of one byte, since malloc(0) may give null.
void *reservar(size_t bytes) {
    void *bloque = malloc(bytes > 0 ? bytes : 1);
    if (bloque == nullptr) {
        puts("\nNo queda memoria libre");
        exit(1);
    }
    return bloque;
}

}  // namespace

int main() {
    charRef nombreArchivo = pedir("\n¿Cual es el archivo de entrada? ");
    FILE *archivo = fopen(nombreArchivo, "r");
    if (archivo == nullptr)
        terminarPorArchivo(nombreArchivo, errno);
    const long tamano = tamanoArchivo(archivo);
    if (tamano < 0)
        terminarPorArchivo(nombreArchivo, errno);

    char *contenido = static_cast<char *>(reservar(static_cast<size_t>(tamano)));
    // Only the bytes actually read count: a file may have shrunk since it was measured.
    const size_t leidos = fread(contenido, 1, static_cast<size_t>(tamano), archivo);
    if (ferror(archivo))
        terminarPorArchivo(nombreArchivo, errno);
    fclose(archivo);
    free(nombreArchivo);

    // Every NUL ends a string; bytes after the last NUL form none.
    size_t cuantas = 0;
    for (size_t i = 0; i < leidos; ++i)
        if (contenido[i] == '\0')
            ++cuantas;
    printf("\nEl archivo contiene %zu cadenas.\n\n", cuantas);

    charRef *cadenas = static_cast<charRef *>(reservar(cuantas * sizeof(charRef)));
    size_t inicio = 0;    // where the string being split begins
    size_t cadena = 0;
    for (size_t i = 0; i < leidos; ++i) {
        if (contenido[i] != '\0')
            continue;
        const size_t bytes = i - inicio + 1;    // the string and its NUL
        cadenas[cadena] = static_cast<charRef>(reservar(bytes));
        memcpy(cadenas[cadena], contenido + inicio, bytes);
        ++cadena;
        inicio = i + 1;
    }
    free(contenido);

    puts("\nLas cadenas leídas son estas:\n");
    for (size_t k = 0; k < cuantas; ++k) {
        puts(cadenas[k]);
        free(cadenas[k]);
    }
    free(cadenas);
    return 0;
}
