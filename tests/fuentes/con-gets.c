#include <stdio.h>

int main(void) {
    char linea[80];
    gets(linea);
    printf("\n\nLa suma de 1, 2 y 3 es 6\n\n");
    return 0;
}
