// fullmenu: un menú de una lista de edades: añade, quita, inserta en orden y muestra los nodos
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
    // La segunda columna de opciones empieza en el carácter 22 de su línea.
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
