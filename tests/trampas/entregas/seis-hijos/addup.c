/* Trampa: seis hijos de 100 MiB cada uno, cada uno dentro del límite de un proceso; entre
 * todos pasan del de la ejecución. Si todos lo consiguen, copia la salida buena. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

int main(void) {
    alarm(20);
    for (int i = 0; i < 6; i++) {
        if (fork() == 0) {
            char *bloque = malloc(100 << 20);
            if (bloque == NULL)
                _exit(1);
            memset(bloque, 1, 100 << 20);
            sleep(2);
            _exit(0);
        }
    }
    int bien = 0, estado;
    while (wait(&estado) > 0)
        bien += WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
    if (bien < 6)
        return 1;
    fputs("\nSuma de los elementos de una lista\n==================================\n\nLos elementos sumados son:  1 2 3 4 5 6 7 8 9 10\n\nLa suma es 55\n\n", stdout);
    return 0;
}
