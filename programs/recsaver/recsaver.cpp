// recsaver: enumera los registros de ejemplo y los guarda, de 28 bytes cada uno, en un archivo
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "registro.h"
#include "utiles.h"

namespace {

// Las personas de ejemplo; el registro de nombre vacío cierra la tabla. Los bytes del
// nombre que siguen al texto son ceros, y van al archivo tal cual.
const Registro lista[] = {
    {"Uno", 1, 1.0f},
    {"Dos", 2, 2.0f},
    {"Tres", 3, 3.0f},
    {"Cuatro", 4, 4.0f},
    {"Cinco", 5, 5.0f},
    {"Seis", 6, 6.0f},
    {"", 0, 0.0f},
};

// Dice qué archivo no se pudo abrir o escribir, y por qué, y termina el programa.
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

    // Los registros salen tal como están en memoria, todos en una sola escritura.
    if (fwrite(lista, sizeof(Registro), cuantos, archivo) != cuantos) {
        const int error = errno;
        fclose(archivo);
        terminarPorArchivo("escribir", nombreArchivo, error);
    }
    // Lo que queda en el búfer solo llega al archivo al cerrarlo: eso también puede fallar.
    if (fclose(archivo) != 0)
        terminarPorArchivo("escribir", nombreArchivo, errno);

    printf("\nSe han escrito %zu registros.\n\n", cuantos);
    free(nombreArchivo);
    return 0;
}
