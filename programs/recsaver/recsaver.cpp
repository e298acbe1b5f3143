// recsaver: lists the sample records and stores them, 28 bytes each, in a record file.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "registro.h"
#include "utiles.h"

namespace {

// The sample people; the record with an empty name ends the table. The name bytes
// after the text are zeros, and go to the file as they are.
const Registro lista[] = {
    {"Uno", 1, 1.0f},
    {"Dos", 2, 2.0f},
    {"Tres", 3, 3.0f},
    {"Cuatro", 4, 4.0f},
    {"Cinco", 5, 5.0f},
    {"Seis", 6, 6.0f},
    {"", 0, 0.0f},
};

// Says which file could not be opened or written, and why, and ends the program.
[[noreturn]] void terminarPorArchivo(const char *accion, const char *nombreArchivo, int error) {
    printf("Error: no se pudo %s el archivo %s\n", accion, nombreArchivo);
    printf("\n\n%s\n\n", strerror(error));
    exit(1);
}

}  // namespace

int main() {
    puts("\nLos registros escritos son estos:\n");
    size_t cuantos = 0;
    for (const Registro *registro = lista; registro->nombre[0] != '\0'; ++registro) {
        charRef fila = toString(registro);
        puts(fila);
        free(fila);
        ++cuantos;
    }

    charRef nombreArchivo = pedir("\n¿Cual es el archivo de salida? ");
    FILE *archivo = fopen(nombreArchivo, "w");
    if (archivo == nullptr)
        terminarPorArchivo("abrir", nombreArchivo, errno);

    // The records go out straight from memory, all of them in one write.
    if (fwrite(lista, sizeof(Registro), cuantos, archivo) != cuantos) {
        const int error = errno;
        fclose(archivo);
        terminarPorArchivo("escribir", nombreArchivo, error);
    }
    // What is still buffered reaches the file only when it is closed: that can fail too.
    if (fclose(archivo) != 0)
        terminarPorArchivo("escribir", nombreArchivo, errno);

    printf("\nSe han escrito %zu registros.\n\n", cuantos);
    free(nombreArchivo);
    return 0;
}
