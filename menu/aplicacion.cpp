// aplicacion: el distribuidor de opciones de un menú y sus manejadores de siempre
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "aplicacion.h"
#include "utiles.h"

namespace {

constexpr int numCaracteres = 256;      // una casilla de la tabla por cada valor de un byte
constexpr int longitudRespuesta = 16;   // el menú lee como mucho 15 caracteres cada vez

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
    // Cada byte indexa la tabla sin signo: así la ñ y las demás letras fuera de ASCII caen dentro.
    for (int i = 0; i < numOpciones; i++)
        tabla[static_cast<unsigned char>(opciones[i])] = funciones[i];

    char respuesta[longitudRespuesta];
    do {
        printf("%s ", menu);
        fflush(stdout);
        if (fgets(respuesta, sizeof respuesta, stdin) == nullptr) {
            free(tabla);  // se acabó la entrada: volver a preguntar no acabaría nunca
            exit(1);
        }
        const unsigned char opcion = static_cast<unsigned char>(toupper(static_cast<unsigned char>(respuesta[0])));
        tabla[opcion](g);
    } while (g->salirDePrograma == 0);

    free(tabla);
}
