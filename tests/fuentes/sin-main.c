#include <stdio.h>

int principal(void) {
    printf("\n\nLa suma de 1, 2 y 3 es 6\n\n");
    return 0;
}
