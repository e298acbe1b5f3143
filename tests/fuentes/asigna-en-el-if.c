#include <stdio.h>

int main(void) {
    int suma = 1 + 2 + 3;
    if (suma = 6)
        printf("\n\nLa suma de 1, 2 y 3 es %d\n\n", suma);
    return 0;
}
