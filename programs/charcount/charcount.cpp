// charcount: lee una frase y cuenta sus caracteres con una función propia
#include <cstdio>

#include "utiles.h"

namespace {

// El número de caracteres antes del nulo final; una letra de dos bytes cuenta por dos.
int contar_caracteres(const char *texto) {
    int cuenta = 0;
    while (texto[cuenta] != '\0')
        cuenta++;
    return cuenta;
}

}  // namespace

int main() {
    puts("\n\nRecuento de caracteres\n======================\n");
    printf("Por favor escriba una frase: ");
    charRef frase = sgets();  // sgets pone la pregunta en pantalla antes de esperar

    const int longitud = contar_caracteres(frase);
    printf("\n\nLa longitud de la frase \"%s\" es %d\n\n", frase, longitud);
    return 0;
}
