// typedlines: writes the lines the user types, until an empty one, to a text file.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "utiles.h"

namespace {

// Says why the file cannot be written, with a bell, and ends the program.
[[noreturn]] void terminarPorArchivo(int error) {
    printf("\n%s\n\a", strerror(error));
    exit(1);
}

}  // namespace

int main() {
    charRef nombreArchivo = pedir("¿Dónde se guardará la lista? ");
    FILE *archivo = fopen(nombreArchivo, "w");
    if (archivo == nullptr)
        terminarPorArchivo(errno);

    // An empty answer ends the list; so does the end of input, where pedir gives one.
    for (;;) {
        charRef linea = pedir("Escriba una línea (INTRO para terminar): ");
        if (linea[0] == '\0') {
            free(linea);
            break;
        }
        const int escritos = fprintf(archivo, "%s\n", linea);
        const int error = errno;
        free(linea);
        if (escritos < 0) {
            fclose(archivo);
            terminarPorArchivo(error);
        }
    }
    // What is still buffered reaches the file only when it is closed: that can fail too.
    if (fclose(archivo) != 0)
        terminarPorArchivo(errno);

    printf("\n\nLa lista se ha escrito en el archivo %s\n\n", nombreArchivo);
    free(nombreArchivo);
    return 0;
}
