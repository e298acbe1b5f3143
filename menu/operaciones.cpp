// operaciones: the list operations of the full list menu, each a menu handler.
#include <cstdio>
#include <cstdlib>

#include "lista.h"
#include "operaciones.h"
#include "utiles.h"

namespace {

// What the removing operations say when there is nothing to take out.
void avisarListaVacia() {
    puts("\a\nNo hay nada que quitar, lista vacía\n");
}

// Keeps the node just taken out in nodoQuitado and releases the one kept before,
// so at most one removed node is ever held.
void guardarQuitado(GlobRef g, NodoRef nodo) {
    if (g->nodoPuesto == g->nodoQuitado)
        g->nodoPuesto = nullptr;  // the record must not point at released memory
    free(g->nodoQuitado);
    nodo->sig = nullptr;  // out of the list it has no next node
    g->nodoQuitado = nodo;
}

// The node just before the given one, which must be in the list and not be the first.
NodoRef anteriorA(GlobRef g, NodoRef nodo) {
    NodoRef anterior = g->ppio;
    while (anterior->sig != nodo)
        anterior = anterior->sig;
    return anterior;
}

// Unlinks a node of the list, keeping ppio and fin right, and keeps it as removed.
void desenlazar(GlobRef g, NodoRef nodo) {
    if (nodo == g->ppio) {
        g->ppio = nodo->sig;
        if (g->ppio == nullptr)
            g->fin = nullptr;
    } else {
        NodoRef anterior = anteriorA(g, nodo);
        anterior->sig = nodo->sig;
        if (nodo == g->fin)
            g->fin = anterior;
    }
    guardarQuitado(g, nodo);
}

// Asks for a new node and records it in nodoPuesto; false (after saying so) if there is none.
bool prepararNodoPuesto(GlobRef g) {
    g->nodoPuesto = nullptr;
    g->nodoPuesto = prepararNodo();
    if (g->nodoPuesto == nullptr) {
        puts("\a\nIntento de añadir un nodo NULL\n");
        return false;
    }
    return true;
}

}  // namespace

void ponerFinal(GlobRef g) {
    if (!prepararNodoPuesto(g))
        return;
    if (g->fin == nullptr)
        g->ppio = g->nodoPuesto;
    else
        g->fin->sig = g->nodoPuesto;
    g->fin = g->nodoPuesto;
}

void insertarOrdenado(GlobRef g) {
    if (!prepararNodoPuesto(g))
        return;
    NodoRef nuevo = g->nodoPuesto;
    if (g->ppio == nullptr || nuevo->edad < g->ppio->edad) {
        nuevo->sig = g->ppio;
        g->ppio = nuevo;
        if (g->fin == nullptr)
            g->fin = nuevo;
        return;
    }
    // Walk past every node of a smaller or equal age: equal ages keep the order they came in.
    NodoRef anterior = g->ppio;
    while (anterior->sig != nullptr && anterior->sig->edad <= nuevo->edad)
        anterior = anterior->sig;
    nuevo->sig = anterior->sig;
    anterior->sig = nuevo;
    if (nuevo->sig == nullptr)
        g->fin = nuevo;
}

void quitarPrincipio(GlobRef g) {
    if (g->ppio == nullptr) {
        avisarListaVacia();
        return;
    }
    desenlazar(g, g->ppio);
}

void quitarFinal(GlobRef g) {
    if (g->ppio == nullptr) {
        avisarListaVacia();
        return;
    }
    desenlazar(g, g->fin);
}

void borrarNodo(GlobRef g) {
    if (g->ppio == nullptr) {
        avisarListaVacia();
        return;
    }
    const int edad = pedirInt("Deme la edad del nodo a borrar:", 1, 120);
    NodoRef nodo = g->ppio;
    while (nodo != nullptr && nodo->edad != edad)
        nodo = nodo->sig;
    if (nodo == nullptr) {
        puts("\a\nNo hay ningún nodo con esa edad\n");
        return;
    }
    desenlazar(g, nodo);
}

void vaciarLista(GlobRef g) {
    NodoRef nodo = g->ppio;
    while (nodo != nullptr) {
        NodoRef siguiente = nodo->sig;  // read it before the node is gone
        free(nodo);
        nodo = siguiente;
    }
    free(g->nodoQuitado);
    g->ppio = nullptr;
    g->fin = nullptr;
    g->nodoPuesto = nullptr;
    g->nodoQuitado = nullptr;
}
