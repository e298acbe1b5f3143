// loopdemo: escribe la misma cuenta con un bucle for, un while y un do-while
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
    while (contador <= ultimo) {  // comprueba antes de cada vuelta
        printf("%4d", contador);
        contador++;
    }

    puts("\n\nBucle do-while() - do-while() loop\n");
    contador = primero;
    do {  // la primera vuelta se da antes de comprobar nada
        printf("%4d", contador);
        contador++;
    } while (contador <= ultimo);

    puts("\n\nTerminación normal del programa.\n");
    return 0;
}
