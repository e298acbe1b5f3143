// setviaaddr: da un nuevo valor a una variable a través de su dirección
#include <cstdio>

int main() {
    int valor;
    int *p = &valor;  // la dirección existe antes de que la variable tenga ningún valor

    valor = 33;
    printf("\n\nEl valor original de la variable es %d\n", valor);
    *p = 44;
    printf("\n\nEl nuevo valor de la variable es %d\n\n\n", valor);
    return 0;
}
