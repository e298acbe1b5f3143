// linedump: reads a whole text file into a list of lines and shows every line with its index.
#include <cstdio>

#include "ficheros.h"
#include "utiles.h"

namespace {

char bufferSalida[65536];  // standard output's buffer: the listing goes out in big writes

}  // namespace

int main() {
    // Set before any output; pedir still flushes its prompt before it waits.
    setvbuf(stdout, bufferSalida, _IOFBF, sizeof bufferSalida);
    charRef ruta = pedir("¿Cual es la ruta del fichero? ");
    charRef *lineas = nullptr;
    int numLineas = 0;
    if (linedump(ruta, &lineas, &numLineas) != 0)
        return 0;  // linedump has said why

    printf("\nSe han leído %d líneas\n\n", numLineas);
    for (int i = 0; i < numLineas; ++i)
        printf("La línea %d contiene \"%s\"\n", i, lineas[i]);
    return 0;
}
