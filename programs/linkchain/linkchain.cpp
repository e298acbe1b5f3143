// linkchain: a list of three nodes linked by hand, shown as a table of addresses.
#include <cstdio>
#include <cstdlib>

namespace {

// One element of the list.
struct Nodo {
    int valor;
    Nodo *sig;  // the next node; null in the last one
};

// A new node holding the value and the next node.
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

// Prints every node from p on: its address, its value and the next node's address.
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
