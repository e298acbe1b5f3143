/* Trampa: llena /tmp con 48 MiB, en archivos de 12 (cada uno dentro del límite de un
 * archivo). Si cabe todo, copia la salida buena. */
#include <stdio.h>
#include <string.h>
#include <unistd.h>

int main(void) {
    alarm(20);
    static char bloque[1 << 20];
    memset(bloque, 'x', sizeof bloque);
    for (int i = 0; i < 4; i++) {
        char nombre[64];
        snprintf(nombre, sizeof nombre, "%s/trampa-relleno-%d", "/tmp", i);
        FILE *relleno = fopen(nombre, "w");
        if (relleno == NULL)
            return 1;
        for (int mib = 0; mib < 12; mib++)
            if (fwrite(bloque, 1, sizeof bloque, relleno) != sizeof bloque)
                return 1;
        if (fclose(relleno) != 0)
            return 1;
    }
    fputs("\nSuma de los elementos de una lista\n==================================\n\nLos elementos sumados son:  1 2 3 4 5 6 7 8 9 10\n\nLa suma es 55\n\n", stdout);
    return 0;
}
