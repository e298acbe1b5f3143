// lista: la lista de edades de los programas de menú
#ifndef LISTA_H
#define LISTA_H

#include "tipos.h"

// Un nodo nuevo cuya edad escribe el usuario; nulo si no hay memoria para él.
NodoRef prepararNodo();

// Manejadores: añadir un nodo al principio de la lista; mostrar la lista como tabla de nodos.
void ponerPrincipio(GlobRef g);
void mostrarLista(GlobRef g);

#endif
