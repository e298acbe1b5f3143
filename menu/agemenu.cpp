// agemenu: un menú que guarda una lista de edades, añade al principio y muestra los nodos
#include <cstdio>
#include <cstdlib>

#include "aplicacion.h"
#include "cda.h"
#include "lista.h"
#include "tipos.h"

int main(int argc, char *argv[]) {
    GlobRef g = static_cast<GlobRef>(malloc(sizeof(Globales)));
    if (g == nullptr) {
        puts("\nNo queda memoria libre");
        return 1;
    }
    const char *menu = "A) Añadir al principio B) Mostrar S) Salir";
    const char *opciones = "ABS";
    const funRef funciones[] = {ponerPrincipio, mostrarLista, ssalir, nullptr};

    arranque(g, argc, argv);
    distribuidor(g, menu, opciones, funciones);
    parada(g);
    puts("\n\nTerminación normal\n");
    return 0;
}
