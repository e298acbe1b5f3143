/* Apunta cada respuesta en una tabla de la pila demasiado corta: valgrind no lo ve. */
#include <stdio.h>

int main(void) {
    int vistas[4] = {0};
    long respuesta = 0;
    int leidos;
    printf("Deme un número entre 1 y 10: ");
    fflush(stdout);
    while ((leidos = scanf("%ld", &respuesta)) != EOF && (leidos == 0 || respuesta < 1 || respuesta > 10)) {
        for (int c = leidos == 0 ? getchar() : '\n'; c != '\n' && c != EOF; c = getchar()) {
        }
        printf("Por favor, deme un número entre 1 y 10: ");
        fflush(stdout);
    }
    if (leidos == EOF)
        return 1;
    vistas[respuesta] = 1;
    printf("\n\nEl número que ha escrito era el %ld\n\n", respuesta + vistas[0]);
    return 0;
}
