// operaciones: the list operations of the full list menu, each a menu handler.
#ifndef OPERACIONES_H
#define OPERACIONES_H

#include "tipos.h"

// Add a node whose age the user types: at the end, or in ascending order of age
// (after the nodes of the same age).
void ponerFinal(GlobRef g);
void insertarOrdenado(GlobRef g);

// Take out the first node, the last node, or the first node of the age the user types.
// The node taken out stays in nodoQuitado until the next removal releases it.
void quitarPrincipio(GlobRef g);
void quitarFinal(GlobRef g);
void borrarNodo(GlobRef g);

// Releases every node of the list and the node last taken out.
void vaciarLista(GlobRef g);

#endif
