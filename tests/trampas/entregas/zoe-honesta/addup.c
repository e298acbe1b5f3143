/* Suma los elementos de una tabla, como pide el enunciado. */
#include <stdio.h>

int main(void) {
    int tabla[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    int suma = 0;
    printf("\nSuma de los elementos de una lista\n");
    printf("==================================\n\n");
    printf("Los elementos sumados son: ");
    for (int i = 0; i < 10; i++) {
        printf(" %d", tabla[i]);
        suma += tabla[i];
    }
    printf("\n\nLa suma es %d\n\n", suma);
    return 0;
}
