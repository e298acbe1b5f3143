#include <stdio.h>

int main(void) {
    long suma = 6;
    printf("\n\nLa suma de 1, 2 y 3 es %d\n\n", suma);
    return 0;
}
