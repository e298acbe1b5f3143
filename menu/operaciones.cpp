// operaciones: las operaciones de lista del menú completo, cada una un manejador de menú
#include <cstdio>
#include <cstdlib>

#include "lista.h"
#include "operaciones.h"
#include "utiles.h"

namespace {

// Lo que dicen las operaciones de quitar cuando no hay nada que sacar.
void avisarListaVacia() {
    puts("\a\nNo hay nada que quitar, lista vacía\n");
}

// Guarda en nodoQuitado el nodo recién quitado y libera el que se guardaba antes:
// así nunca se retiene más de un nodo quitado.
void guardarQuitado(GlobRef g, NodoRef nodo) {
    if (g->nodoPuesto == g->nodoQuitado)
        g->nodoPuesto = nullptr;  // el registro no debe apuntar a memoria liberada
    free(g->nodoQuitado);
    nodo->sig = nullptr;  // fuera de la lista no tiene nodo siguiente
    g->nodoQuitado = nodo;
}

// El nodo justo anterior al dado, que tiene que estar en la lista y no ser el primero.
NodoRef anteriorA(GlobRef g, NodoRef nodo) {
    NodoRef anterior = g->ppio;
    while (anterior->sig != nodo)
        anterior = anterior->sig;
    return anterior;
}

// Desengancha un nodo de la lista, dejando bien ppio y fin, y lo guarda como quitado.
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

// Pide un nodo nuevo y lo anota en nodoPuesto; false (después de avisar) si no lo hay.
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
    // Se pasan los nodos de edad menor o igual: las edades iguales conservan su orden de llegada.
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
        NodoRef siguiente = nodo->sig;  // se lee antes de que el nodo desaparezca
        free(nodo);
        nodo = siguiente;
    }
    free(g->nodoQuitado);
    g->ppio = nullptr;
    g->fin = nullptr;
    g->nodoPuesto = nullptr;
    g->nodoQuitado = nullptr;
}
