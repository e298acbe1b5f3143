/* Tres errores de memoria: un número sin valor escrito con printf, una lectura en un puntero
 * nulo y 5000 bytes que nunca se liberan. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

int main(void) {
    long respuesta = 0;
    int leidos;
    int sinValor;
    char *perdido = malloc(5000);
    char *nulo = NULL;
    memset(perdido, 0, 5000);
    if (read(99, nulo, 100) > 0)
        return 2;
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
    if (respuesta == 12)
        sinValor = 1;
    printf("%.0d", sinValor);
    return 0;
}
