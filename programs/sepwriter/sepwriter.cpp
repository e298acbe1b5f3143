// sepwriter: guarda los registros de ejemplo en un archivo de texto con el delimitador tecleado
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "registro.h"
#include "utiles.h"

namespace {

// Las personas de ejemplo; el registro de edad 0 cierra la tabla.
const Registro lista[] = {
    {"Tavu Valdo", 33, 1.80f},
    {"Oxa Sorne", 22, 1.65f},
    {"Selva Telmar", 25, 1.70f},
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
    puts("\n\nArchivo de formato delimitado\n");
    charRef nombreArchivo = pedir("Escriba el nombre del archivo: ");
    // El delimitador es la línea tecleada entera: vacía, de un carácter o de varios.
    charRef delimitador = pedir("Escriba el delimitador:        ");

    FILE *archivo = fopen(nombreArchivo, "w");
    if (archivo == nullptr)
        terminarPorArchivo("abrir", nombreArchivo, errno);

    for (const Registro *registro = lista; registro->edad != 0; ++registro) {
        charRef linea = toDelimString(registro, delimitador);
        const int escritos = fprintf(archivo, "%s\n", linea);
        const int error = errno;
        free(linea);
        if (escritos < 0) {
            fclose(archivo);
            terminarPorArchivo("escribir", nombreArchivo, error);
        }
    }
    // Las últimas líneas solo llegan al archivo al cerrarlo: eso también puede fallar.
    if (fclose(archivo) != 0)
        terminarPorArchivo("escribir", nombreArchivo, errno);

    printf("\n\nEl archivo %s se ha creado correctamente.\n\n", nombreArchivo);
    free(delimitador);
    free(nombreArchivo);
    return 0;
}
