// askname: asks for a name and an address and shows both between double quotes.
#include <cstdio>

#include "utiles.h"

int main() {
    // Both lines stay the program's until it ends.
    charRef nombre = pedir("Escriba su nombre: ");
    charRef direccion = pedir("Escriba su dirección: ");

    printf("\n\nSu nombre es:    \"%s\"\n", nombre);
    printf("Su dirección es: \" %s\"\n", direccion);
    return 0;
}
