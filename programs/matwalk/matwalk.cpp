// matwalk: fills a heap table row by row and finds one element through a pointer.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "utiles.h"

namespace {

// Asks for a whole number in the range; a fractional answer is truncated toward zero.
// Not-a-number passes the range test of pedirFloat but is no row or column: ask again.
int pedirEntero(const char *prompt, int min, int max) {
    float respuesta = pedirFloat(prompt, static_cast<float>(min), static_cast<float>(max));
    while (std::isnan(respuesta))
        respuesta = pedirFloat(prompt, static_cast<float>(min), static_cast<float>(max));
    return static_cast<int>(respuesta);
}

}  // namespace

int main() {
    puts("\n\nRecorrido de una tabla con un puntero\n");
    const int filas = pedirEntero("Deme el número de filas    : ", 1, 5);
    const int columnas = pedirEntero("Deme el número de columnas : ", 1, 5);

    // One block, row after row: m[i][j] is element i * columnas + j. It lives until the end.
    float *m = static_cast<float *>(malloc(filas * columnas * sizeof(float)));
    if (m == nullptr) {
        puts("\nNo queda memoria libre");
        return 1;
    }
    int contador = 0;
    float *p = m;
    for (int i = 0; i < filas; i++)
        for (int j = 0; j < columnas; j++)
            *p++ = static_cast<float>(contador++);

    const int fila = pedirEntero("Deme el número de la fila : ", 0, filas - 1);
    const int columna = pedirEntero("Deme el número de la columna : ", 0, columnas - 1);
    printf("\nEl elemento situado en m[%d][%d] es el %6.2f\n\n", fila, columna,
           static_cast<double>(*(m + fila * columnas + columna)));
    return 0;
}
