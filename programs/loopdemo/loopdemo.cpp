// loopdemo: the same count written with a for, a while and a do-while loop.
#include <cstdio>

int main() {
    const int primero = 1;
    const int ultimo = 5;
    int contador;

    puts("\n\nBucle for() -  for() loop\n");
    for (contador = primero; contador <= ultimo; contador++)
        printf("%4d", contador);

    puts("\n\nBucle while() - while() loop\n");
    contador = primero;
    while (contador <= ultimo) {  // tests before every turn
        printf("%4d", contador);
        contador++;
    }

    puts("\n\nBucle do-while() - do-while() loop\n");
    contador = primero;
    do {  // the first turn runs before any test
        printf("%4d", contador);
        contador++;
    } while (contador <= ultimo);

    puts("\n\nTerminación normal del programa.\n");
    return 0;
}
