// valueaddr: a variable's value next to a pointer holding its address.
#include <cstdio>

int main() {
    int numero = 33;
    int *puntero = &numero;

    printf("Numero vale : %d\n", numero);
    printf("Puntero vale : %p\n", static_cast<void *>(puntero));
    return 0;
}
