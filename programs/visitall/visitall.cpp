// visitall: pide cuántos elementos (1 a 10), llena una tabla y la recorre con un iterador
#include <cstdio>
#include <cstdlib>

#include "utiles.h"

namespace {

// Llama a f, en orden, con la dirección de cada uno de los n elementos que empiezan en p.
void iterador(int *p, int n, void (*f)(int *)) {
    for (int i = 0; i < n; i++)
        f(&p[i]);
}

// Muestra un elemento entre dos barras.
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
