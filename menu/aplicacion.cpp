// aplicacion: the option dispatcher of a menu and its standard handlers.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "aplicacion.h"
#include "utiles.h"

namespace {

constexpr int numCaracteres = 256;      // one table slot for every byte value
constexpr int longitudRespuesta = 16;   // the menu reads at most 15 characters at a time

}  // namespace

void ssalir(GlobRef g) {
    charRef respuesta = pedir("\n\n¿Desea salir del programa (S/N)?... ");
    const int letra = toupper(static_cast<unsigned char>(respuesta[0]));
    free(respuesta);
    if (letra == 'S')
        g->salirDePrograma = 1;
}

void volver([[maybe_unused]] GlobRef g) {
    puts("\n\n***\aOpción incorrecta***\n");
}

void distribuidor(GlobRef g, const char *menu, const char *opciones, const funRef funciones[]) {
    const int numOpciones = static_cast<int>(strlen(opciones));
    int numFunciones = 0;
    while (funciones[numFunciones] != nullptr)
        numFunciones++;
    if (numOpciones != numFunciones) {
        printf("\n\nError fatal: numOpciones (%d) =! numFunciones (%d)\n\n", numOpciones, numFunciones);
        exit(1);
    }

    funRef *tabla = static_cast<funRef *>(malloc(numCaracteres * sizeof(funRef)));
    if (tabla == nullptr) {
        puts("\nNo queda memoria libre");
        exit(1);
    }
    for (int codigo = 0; codigo < numCaracteres; codigo++)
        tabla[codigo] = volver;
    // Bytes index the table as unsigned values, so ñ and other letters beyond ASCII stay inside it.
    for (int i = 0; i < numOpciones; i++)
        tabla[static_cast<unsigned char>(opciones[i])] = funciones[i];

    char respuesta[longitudRespuesta];
    do {
        printf("%s ", menu);
        fflush(stdout);
        if (fgets(respuesta, sizeof respuesta, stdin) == nullptr) {
            free(tabla);  // input has ended: asking again would loop for ever
            exit(1);
        }
        const unsigned char opcion = static_cast<unsigned char>(toupper(static_cast<unsigned char>(respuesta[0])));
        tabla[opcion](g);
    } while (g->salirDePrograma == 0);

    free(tabla);
}
