// linedump: lee un archivo de texto entero en una lista de líneas y las muestra con su índice
#include <cstdio>

#include "ficheros.h"
#include "utiles.h"

namespace {

char bufferSalida[65536];  // búfer de la salida: el listado sale en escrituras grandes

}  // namespace

int main() {
    // Se pone antes de escribir nada; pedir vacía igualmente su pregunta antes de esperar.
    setvbuf(stdout, bufferSalida, _IOFBF, sizeof bufferSalida);
    charRef ruta = pedir("¿Cual es la ruta del fichero? ");
    charRef *lineas = nullptr;
    int numLineas = 0;
    if (linedump(ruta, &lineas, &numLineas) != 0)
        return 0;  // linedump ya ha dicho por qué

    printf("\nSe han leído %d líneas\n\n", numLineas);
    for (int i = 0; i < numLineas; ++i)
        printf("La línea %d contiene \"%s\"\n", i, lineas[i]);
    return 0;
}
