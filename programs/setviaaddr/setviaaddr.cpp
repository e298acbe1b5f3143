// setviaaddr: giving a variable a new value through its address.
#include <cstdio>

int main() {
    int valor;
    int *p = &valor;  // the address exists before the variable holds any value

    valor = 33;
    printf("\n\nEl valor original de la variable es %d\n", valor);
    *p = 44;
    printf("\n\nEl nuevo valor de la variable es %d\n\n\n", valor);
    return 0;
}
