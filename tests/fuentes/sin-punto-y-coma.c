#include <stdio.h>

int main(void) {
    int a = 1, b = 2, c = 3;
    int suma = a + b + c
    printf("\n\nLa suma de %d, %d y %d es %d\n\n", a, b, c, suma);
    return 0;
}
