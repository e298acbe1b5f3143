#include <stdio.h>

int main(void) {
    int años = 6;
    printf("\n\nLa suma de 1, 2 y 3 es %d\n\n", años);
    return 0;
}
