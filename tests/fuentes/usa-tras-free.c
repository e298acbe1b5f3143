#include <stdio.h>
#include <stdlib.h>

int main(void) {
    int *suma = malloc(sizeof *suma);
    if (suma == NULL)
        return 1;
    *suma = 1 + 2 + 3;
    free(suma);
    printf("\n\nLa suma de 1, 2 y 3 es %d\n\n", *suma);
    return 0;
}
