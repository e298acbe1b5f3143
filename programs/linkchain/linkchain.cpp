// linkchain: enlaza a mano una lista de tres nodos y la muestra como una tabla de direcciones
#include <cstdio>
#include <cstdlib>

namespace {

// Un elemento de la lista.
struct Nodo {
    int valor;
    Nodo *sig;  // el nodo siguiente; nulo en el último
};

// Un nodo nuevo con el valor y el nodo siguiente.
Nodo *nuevoNodo(int valor, Nodo *sig) {
    Nodo *nodo = static_cast<Nodo *>(malloc(sizeof(Nodo)));
    if (nodo == nullptr) {
        puts("\nNo queda memoria libre");
        exit(1);
    }
    nodo->valor = valor;
    nodo->sig = sig;
    return nodo;
}

// Muestra cada nodo desde p: su dirección, su valor y la dirección del siguiente.
void mostrarLista(Nodo *p) {
    puts("-------------------------------------------\n");
    puts("| Puntero      | Valor           | Siguiente         |");
    for (; p != nullptr; p = p->sig)
        printf("| p = %8p | p->valor = %4d | p->sig = %8p |\n",
               static_cast<void *>(p), p->valor, static_cast<void *>(p->sig));
}

}  // namespace

int main() {
    Nodo *primero = nuevoNodo(33, nullptr);
    Nodo *segundo = nuevoNodo(44, nullptr);
    Nodo *tercero = nuevoNodo(55, nullptr);
    primero->sig = segundo;
    segundo->sig = tercero;

    puts("\nContenido de una lista simplemente enlazada");
    mostrarLista(primero);
    return 0;
}
