// typedlines: escribe en un archivo de texto las líneas que se teclean, hasta una vacía
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "utiles.h"

namespace {

// Dice con un pitido por qué no se puede escribir el archivo, y termina el programa.
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

    // Una respuesta vacía termina la lista; también el final de la entrada, donde pedir da una.
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
    // Lo que queda en el búfer solo llega al archivo al cerrarlo: eso también puede fallar.
    if (fclose(archivo) != 0)
        terminarPorArchivo(errno);

    printf("\n\nLa lista se ha escrito en el archivo %s\n\n", nombreArchivo);
    free(nombreArchivo);
    return 0;
}
