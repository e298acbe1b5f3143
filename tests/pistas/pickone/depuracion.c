/* Deja un mensaje de depuración en stderr. */
#include <stdio.h>
#include <stdlib.h>

int main(void) {
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
    printf("\n\nEl número que ha escrito era el %ld\n\n", respuesta);
    fprintf(stderr, "respuesta=%ld\n", respuesta);
    return 0;
}
