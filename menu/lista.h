// lista: the list of ages of the menu programs.
#ifndef LISTA_H
#define LISTA_H

#include "tipos.h"

// A new node whose age the user types; null if there is no memory for it.
NodoRef prepararNodo();

// Handlers: add a node at the front of the list; show the list as a table of nodes.
void ponerPrincipio(GlobRef g);
void mostrarLista(GlobRef g);

#endif
