// askname: pide un nombre y una dirección y los muestra entre comillas dobles
#include <cstdio>

#include "utiles.h"

int main() {
    // Las dos líneas son del programa hasta que termina.
    charRef nombre = pedir("Escriba su nombre: ");
    charRef direccion = pedir("Escriba su dirección: ");

    printf("\n\nSu nombre es:    \"%s\"\n", nombre);
    printf("Su dirección es: \" %s\"\n", direccion);
    return 0;
}
