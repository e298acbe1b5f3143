#include <stdio.h>

int pedirInt(const char *pregunta, int minimo, int maximo) {
    printf("%s", pregunta);
    return minimo + maximo;
}
