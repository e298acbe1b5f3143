// lista: la lista de edades de los programas de menú
#include <cstdio>
#include <cstdlib>

#include "lista.h"
#include "utiles.h"

NodoRef prepararNodo() {
    NodoRef nodo = static_cast<NodoRef>(malloc(sizeof(Nodo)));
    if (nodo == nullptr)
        return nullptr;
    nodo->edad = pedirInt("Deme una edad:", 1, 120);
    nodo->sig = nullptr;
    return nodo;
}

void ponerPrincipio(GlobRef g) {
    g->nodoPuesto = nullptr;
    g->nodoPuesto = prepararNodo();
    if (g->nodoPuesto == nullptr) {
        puts("\a\nIntento de añadir un nodo NULL\n");
        return;
    }
    // El primer nodo de una lista vacía es también el último.
    if (g->ppio == nullptr)
        g->fin = g->nodoPuesto;
    g->nodoPuesto->sig = g->ppio;
    g->ppio = g->nodoPuesto;
}

void mostrarLista(GlobRef g) {
    if (g->ppio == nullptr) {
        puts("\a\nNo hay nada que mostrar, lista vacía\n");
        return;
    }
    puts("\n+--------------+-----------------+-------------------+");
    puts("| Puntero      | Valor           | Siguiente         |");
    puts("+--------------+-----------------+-------------------+");
    for (NodoRef p = g->ppio; p != nullptr; p = p->sig)
        printf("| p = %8p | p->edad  = %4d | p->sig = %8p |\n",
               static_cast<void *>(p), p->edad, static_cast<void *>(p->sig));
    puts("+--------------+-----------------+-------------------+\n");
}
