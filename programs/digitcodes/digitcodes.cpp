// digitcodes: muestra unas letras, una cifra y el carácter nulo, cada uno con su código
#include <cstdio>

int main([[maybe_unused]] int argc, [[maybe_unused]] char *argv[]) {
    const char unaLetra = 'A';
    const char otra = 'B';
    const char otraMas = 'd';
    const char letraFinal = 'e';
    const char unNumero = '0';  // la cifra, código 48
    const char elCaracter0 = '\0';  // el carácter nulo, código 0

    puts("\nCifras y números\n================\n");
    printf("El carácter %c tiene el valor numérico %d\n", unaLetra, unaLetra);
    printf("El carácter %c tiene el valor numérico %d\n", otra, otra);
    printf("El carácter %c tiene el valor numérico %d\n", otraMas, otraMas);
    printf("El carácter %c tiene el valor numérico %d\n", letraFinal, letraFinal);
    printf("El carácter %c tiene el valor numérico %d\n", unNumero, unNumero);
    printf("El carácter %c tiene el valor numérico %d\n", elCaracter0, elCaracter0);
    return 0;
}
