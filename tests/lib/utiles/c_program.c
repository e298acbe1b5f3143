/* A student's C program using the installed console library. */
#include <stdio.h>
#include <stdlib.h>

#include <wuna/utiles.h>

int main(void) {
    charRef nombre = pedir("Nombre:");
    int edad = pedirInt("Edad:", 1, 120);
    printf("\n%s tiene %d a\xc3\xb1os\n", nombre, edad);
    free(nombre);
    return 0;
}
