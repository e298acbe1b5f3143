// matwalk: llena por filas una tabla en memoria dinámica y encuentra un elemento con un puntero
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "utiles.h"

namespace {

// Pide un número entero del intervalo; una respuesta con decimales se trunca hacia cero.
// NaN pasa la prueba de intervalo de pedirFloat, pero no es fila ni columna: se pide otra vez.
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

    // Un solo bloque, fila tras fila: m[i][j] es el elemento i * columnas + j.
    // Dura hasta el final del programa.
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
