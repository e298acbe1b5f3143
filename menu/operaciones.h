// operaciones: las operaciones de lista del menú completo, cada una un manejador de menú
#ifndef OPERACIONES_H
#define OPERACIONES_H

#include "tipos.h"

// Añaden un nodo cuya edad escribe el usuario: al final, o en orden creciente de edad
// (detrás de los nodos de la misma edad).
void ponerFinal(GlobRef g);
void insertarOrdenado(GlobRef g);

// Quitan el primer nodo, el último, o el primer nodo de la edad que escribe el usuario.
// El nodo quitado se queda en nodoQuitado hasta que lo libera la siguiente extracción.
void quitarPrincipio(GlobRef g);
void quitarFinal(GlobRef g);
void borrarNodo(GlobRef g);

// Libera todos los nodos de la lista y el último nodo quitado.
void vaciarLista(GlobRef g);

#endif
