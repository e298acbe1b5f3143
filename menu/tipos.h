// tipos: los tipos de los menús de lista: la lista de edades y el registro de la aplicación
#ifndef TIPOS_H
#define TIPOS_H

struct Nodo;
using NodoRef = Nodo *;

// Una edad de la lista.
struct Nodo {
    int edad;     // entre 1 y 120
    NodoRef sig;  // el nodo siguiente; nulo en el último
};

// Todo lo que comparten los manejadores de un menú de lista.
struct Globales {
    NodoRef ppio;         // primer nodo; nulo con la lista vacía
    NodoRef fin;          // último nodo; nulo con la lista vacía
    NodoRef nodoPuesto;   // el nodo que metió la última operación de añadir
    NodoRef nodoQuitado;  // el nodo que sacó la última operación de quitar
    int salirDePrograma;  // 1 en cuanto el usuario confirma que quiere salir
};
using GlobRef = Globales *;

// Un manejador de menú: uno por cada opción de un menú.
using funRef = void (*)(GlobRef);

#endif
