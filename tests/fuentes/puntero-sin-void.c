#include <stdio.h>

int main(void) {
    int suma = 1 + 2 + 3;
    printf("\n\nLa suma de 1, 2 y 3 es %d (en %p)\n\n", suma, &suma);
    return 0;
}
