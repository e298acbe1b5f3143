#include <stdio.h>

#include "utiles.h"

int pedirint(const char *pregunta, int minimo, int maximo);

int main(void) {
    int n = pedirint("Un número:", 1, 3);
    printf("\n\nLa suma de 1, 2 y 3 es %d\n\n", n + 5);
    return 0;
}
