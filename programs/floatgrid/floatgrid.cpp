// floatgrid: escribe una tabla de 3 x 4 reales en un archivo de texto, una fila por línea
#include <cstdio>

#include "utiles.h"

namespace {

constexpr int filas = 3;
constexpr int columnas = 4;

// La tabla de ejemplo: las decenas dicen la fila (desde 1) y las unidades la columna (desde 1).
const float tablaEjemplo[filas * columnas] = {
    11.0f, 12.0f, 13.0f, 14.0f,
    21.0f, 22.0f, 23.0f, 24.0f,
    31.0f, 32.0f, 33.0f, 34.0f,
};

// Lo que escribirTablaFloat le dice a quien la llama.
constexpr int tablaEscrita = 0;
constexpr int archivoNoCreado = 1;
constexpr int escrituraFallida = 2;

// Escribe la tabla en ruta, los valores de una fila separados por tabuladores, una fila por línea.
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
    // Casi todos los errores de escritura asoman en fclose, al salir los últimos bytes del búfer.
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
        // Un archivo empezado y a medio escribir es un fallo que quien lanzó el programa debe ver.
        return resultado == escrituraFallida ? 1 : 0;
    }
    printf("\nTerminación normal\n");
    return 0;
}
