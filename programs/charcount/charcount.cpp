// charcount: reads a phrase and counts its characters with a function of its own.
#include <cstdio>

#include "utiles.h"

namespace {

// The number of characters before the terminating null; a letter of two bytes counts two.
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
    charRef frase = sgets();  // sgets puts the prompt on the screen before it waits

    const int longitud = contar_caracteres(frase);
    printf("\n\nLa longitud de la frase \"%s\" es %d\n\n", frase, longitud);
    return 0;
}
