// fixedwidth: writes the sample records to a text file in columns of chosen widths.
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

constexpr int numeroColumnas = 3;    // name, age and height
constexpr int anchuraMaxima = 32;     // bytes of the widest column

// Says which file could not be opened or written, and why, and ends the program.
[[noreturn]] void terminarPorArchivo(const char *accion, const char *nombreArchivo, int error) {
    printf("Error: no se pudo %s el archivo %s\n", accion, nombreArchivo);
    printf("\n\n%s\n\n", strerror(error));
    exit(1);
}

}  // namespace

int main() {
    puts("\n\nArchivo de formato encolumnado\n");
    charRef nombreArchivo = pedir("Escriba el nombre del archivo: ");

    int anchuras[numeroColumnas];
    for (int i = 0; i < numeroColumnas; ++i) {
        char pregunta[64];
        snprintf(pregunta, sizeof pregunta, "Deme la anchura de la columna nº %d: ", i);
        anchuras[i] = pedirInt(pregunta, 1, anchuraMaxima);
    }

    FILE *archivo = fopen(nombreArchivo, "w");
    if (archivo == nullptr)
        terminarPorArchivo("abrir", nombreArchivo, errno);

    for (const Registro *registro = lista; registro->edad != 0; ++registro) {
        charRef linea = toEncolString(registro, anchuras);
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
    free(nombreArchivo);
    return 0;
}
