// whiledemo: a while loop counting between two limits taken from the command line.
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

// A limit typed on the command line: what strtol reads of it (0 for no number),
// held within the range of an int.
int leerLimite(const char *texto) {
    const long valor = strtol(texto, nullptr, 10);
    if (valor < INT_MIN)
        return INT_MIN;
    if (valor > INT_MAX)
        return INT_MAX;
    return static_cast<int>(valor);
}

}  // namespace

int main(int argc, char *argv[]) {
    int primero = 1;
    int ultimo = 10;

    printf("Ejemplo del bucle while()");
    if (argc == 3) {
        puts("\nUtilizando los valores indicados\n");
        primero = leerLimite(argv[1]);
        ultimo = leerLimite(argv[2]);
    } else {
        puts("\nUtilizando valores predefinidos\n");
    }

    int contador = primero;
    while (contador <= ultimo) {
        printf("%d\n", contador);
        // Stop on the last value itself: one more step past INT_MAX would overflow.
        if (contador == ultimo)
            break;
        contador++;
    }

    puts("\nTerminación normal del programa");
    return 0;
}
