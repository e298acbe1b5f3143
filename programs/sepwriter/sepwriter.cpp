// sepwriter: writes the sample records to a text file, the fields split by a typed delimiter.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "registro.h"
#include "utiles.h"

namespace {

// The sample people; the record whose age is 0 ends the table.
const Registro lista[] = {
    {"Tavu Valdo", 33, 1.80f},
    {"Oxa Sorne", 22, 1.65f},
    {"Selva Telmar", 25, 1.70f},
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
    puts("\n\nArchivo de formato delimitado\n");
    charRef nombreArchivo = pedir("Escriba el nombre del archivo: ");
    // The whole typed line is the delimiter: empty, one character or several.
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
    // The last lines reach the file only when it is closed: that can fail too.
    if (fclose(archivo) != 0)
        terminarPorArchivo("escribir", nombreArchivo, errno);

    printf("\n\nEl archivo %s se ha creado correctamente.\n\n", nombreArchivo);
    free(delimitador);
    free(nombreArchivo);
    return 0;
}
