// floatgrid: writes a 3 x 4 table of reals to a text file, one row per line.
#include <cstdio>

#include "utiles.h"

namespace {

constexpr int filas = 3;
constexpr int columnas = 4;

// The sample table: the tens tell the row (from 1), the units the column (from 1).
const float tablaEjemplo[filas * columnas] = {
    11.0f, 12.0f, 13.0f, 14.0f,
    21.0f, 22.0f, 23.0f, 24.0f,
    31.0f, 32.0f, 33.0f, 34.0f,
};

// What escribirTablaFloat tells its caller.
constexpr int tablaEscrita = 0;
constexpr int archivoNoCreado = 1;
constexpr int escrituraFallida = 2;

// Writes the table to ruta, values of a row separated by tabs, one row per line.
int escribirTablaFloat(const float *tabla, int numFilas, int numColumnas, const char *ruta) {
    FILE *archivo = fopen(ruta, "w");
    if (archivo == nullptr)
        return archivoNoCreado;

    bool escrita = true;
    for (int i = 0; i < numFilas && escrita; ++i) {
        for (int j = 0; j < numColumnas && escrita; ++j) {
            const double valor = tabla[i * numColumnas + j];
            if (j < numColumnas - 1)
                escrita = fprintf(archivo, "%10.4f\t", valor) >= 0;
            else
                escrita = fprintf(archivo, "%10.4f\n", valor) >= 0;
        }
    }
    // Most write errors only show when the last buffered bytes go out at fclose.
    if (fclose(archivo) != 0)
        escrita = false;
    return escrita ? tablaEscrita : escrituraFallida;
}

}  // namespace

int main() {
    charRef nombre = pedir("Escriba el nombre del archivo: ");
    const int resultado = escribirTablaFloat(tablaEjemplo, filas, columnas, nombre);
    if (resultado != tablaEscrita) {
        printf("\nError al crear el archivo\n");
        // A file begun but left incomplete is a failure the caller must see.
        return resultado == escrituraFallida ? 1 : 0;
    }
    printf("\nTerminación normal\n");
    return 0;
}
