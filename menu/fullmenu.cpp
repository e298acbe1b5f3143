// fullmenu: a menu that keeps a list of ages, adds, removes, inserts in order and shows the nodes.
#include <cstdio>
#include <cstdlib>

#include "aplicacion.h"
#include "cda.h"
#include "lista.h"
#include "operaciones.h"
#include "tipos.h"

int main(int argc, char *argv[]) {
    GlobRef g = static_cast<GlobRef>(malloc(sizeof(Globales)));
    if (g == nullptr) {
        puts("\nNo queda memoria libre");
        return 1;
    }
    // The second column of options starts at the 22nd character of its line.
    const char *menu =
        "A) Añadir al ppio    B) Añadir al final\n"
        "C) Quitar ppio       D) Quitar final\n"
        "E) Vaciar lista      F) Insertar ordenado\n"
        "G) Borrar nodo       M) Mostrar lista\n"
        "S) Salir\n"
        "                     Seleccione una opción --> ";
    const char opciones[10] = "ABCDEFGMS";
    const funRef funciones[10] = {ponerPrincipio, ponerFinal, quitarPrincipio, quitarFinal,
                                  vaciarLista, insertarOrdenado, borrarNodo, mostrarLista,
                                  ssalir, nullptr};

    arranque(g, argc, argv);
    distribuidor(g, menu, opciones, funciones);
    parada(g);
    puts("\n\nTerminación normal\n");
    return 0;
}
