/* Lee antes de mostrar la pregunta (y la muestra con fflush). */
#include <stdio.h>

int main(void) {
    long respuesta = 0;
    int leidos = scanf("%ld", &respuesta);
    printf("Deme un número entre 1 y 10: ");
    fflush(stdout);
    while (leidos != EOF && (leidos == 0 || respuesta < 1 || respuesta > 10)) {
        for (int c = leidos == 0 ? getchar() : '\n'; c != '\n' && c != EOF; c = getchar()) {
        }
        leidos = scanf("%ld", &respuesta);
        printf("Por favor, deme un número entre 1 y 10: ");
        fflush(stdout);
    }
    if (leidos == EOF)
        return 1;
    printf("\n\nEl número que ha escrito era el %ld\n\n", respuesta);
    return 0;
}
