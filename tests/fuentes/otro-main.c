#include <stdio.h>

int main(void) {
    printf("\n\nLa suma de 1, 2 y 3 es 6\n\n");
    return 0;
}
