// visitall: an iterator that calls a given function on every element of an array.
#include <cstdio>
#include <cstdlib>

#include "utiles.h"

namespace {

// Calls f with a reference to each of the n elements that start at p, in order.
void iterador(int *p, int n, void (*f)(int *)) {
    for (int i = 0; i < n; i++)
        f(&p[i]);
}

// Prints one element between two bars.
void imprimir(int *p) {
    printf("|%4d|\n", *p);
}

}  // namespace

int main() {
    const int n = pedirInt("¿Cuántos elementos tiene la lista?", 1, 10);
    int *lista = static_cast<int *>(malloc(n * sizeof(int)));
    if (lista == nullptr) {
        puts("\nNo queda memoria libre");
        return 1;
    }
    for (int i = 0; i < n; i++)
        lista[i] = i;

    iterador(lista, n, imprimir);
    return 0;
}
