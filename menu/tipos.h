// tipos: the types of the list menu programs, a list of ages and the application record.
#ifndef TIPOS_H
#define TIPOS_H

struct Nodo;
using NodoRef = Nodo *;

// One age of the list.
struct Nodo {
    int edad;     // between 1 and 120
    NodoRef sig;  // the next node; null in the last one
};

// Everything the handlers of a list menu share.
struct Globales {
    NodoRef ppio;         // first node; null when the list is empty
    NodoRef fin;          // last node; null when the list is empty
    NodoRef nodoPuesto;   // the node the latest add put in
    NodoRef nodoQuitado;  // the node the latest removal took out
    int salirDePrograma;  // 1 once the user has confirmed leaving
};
using GlobRef = Globales *;

// A menu handler: one for each option of a menu.
using funRef = void (*)(GlobRef);

#endif
