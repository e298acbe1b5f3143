// A test driver for the viewer's handlers: each typed line runs the handler of its first
// letter (a abrir, m mostrar) on a record cleared as the framework clears it. The driver
// prints nothing of its own and stops at s or at the end of input.
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "opciones.h"
#include "tipos.h"

int main() {
    Globales g{};
    char linea[16];
    while (fgets(linea, sizeof linea, stdin) != nullptr) {
        const int letra = toupper(static_cast<unsigned char>(linea[0]));
        if (letra == 'A')
            abrir(&g);
        else if (letra == 'M')
            mostrar(&g);
        else
            break;
    }
    free(g.nombreDelArchivo);
    free(g.contenidoDelArchivo);
    return 0;
}
