// recloader: reads a record file and lists its records in a boxed table with row numbers.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "registro.h"
#include "utiles.h"

namespace {

// The top and bottom of the listing, 44 characters wide like its rows.
const char *const borde = "+-----+----------------------+-----+-------+";

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

// Says why the file cannot be used and ends the program.
[[noreturn]] void terminarPorArchivo(int error) {
    printf("Saliendo - %s\n\n", strerror(error));
    exit(1);
}

}  // namespace

int main() {
    charRef nombreArchivo = pedir("Dígame el nombre del archivo: ");
    FILE *archivo = fopen(nombreArchivo, "r");
    if (archivo == nullptr)
        terminarPorArchivo(errno);
    free(nombreArchivo);

    const long tamano = tamanoArchivo(archivo);
    if (tamano < 0)
        terminarPorArchivo(errno);
    // Bytes beyond the last whole record are ignored.
    const size_t cuantos = static_cast<size_t>(tamano) / sizeof(Registro);
    printf("\n\nSe han leído %zu registros.\n\n", cuantos);

    // Zeroed, so records a short read leaves out show as empty rows, not as garbage;
    // one record more, so that an empty file still gets a block.
    Registro *registros = static_cast<Registro *>(calloc(cuantos + 1, sizeof(Registro)));
    if (registros == nullptr) {
        puts("\nNo queda memoria libre");
        exit(1);
    }
    if (fread(registros, sizeof(Registro), cuantos, archivo) < cuantos)
        printf("\n\nError de lectura - %s\n\n", strerror(errno));
    fclose(archivo);

    puts("\n\nListado de registros leídos\n");
    puts(borde);
    for (size_t i = 0; i < cuantos; ++i) {
        charRef fila = toString(&registros[i]);
        printf("| %3zu %s\n", i, fila);
        free(fila);
    }
    puts(borde);
    free(registros);
    return 0;
}
