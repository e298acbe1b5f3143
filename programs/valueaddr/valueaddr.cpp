// valueaddr: muestra el valor de una variable junto a un puntero que guarda su dirección
#include <cstdio>

int main() {
    int numero = 33;
    int *puntero = &numero;

    printf("Numero vale : %d\n", numero);
    printf("Puntero vale : %p\n", static_cast<void *>(puntero));
    return 0;
}
