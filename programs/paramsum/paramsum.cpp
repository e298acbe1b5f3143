// paramsum: lists the command-line arguments with their positions and sums their values.
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

// A wider number brought back into the 32-bit range: beyond a limit it is that limit.
int saturar(long long valor) {
    if (valor > INT_MAX)
        return INT_MAX;
    if (valor < INT_MIN)
        return INT_MIN;
    return static_cast<int>(valor);
}

// The number the text begins with, as atoi reads it (blanks, a sign, digits); 0 if none.
int valorEntero(const char *texto) {
    return saturar(strtoll(texto, nullptr, 10));
}

}  // namespace

int main(int argc, char *argv[]) {
    if (argc == 1) {
        puts("\n-->No se han dado argumentos\n");
        return 0;
    }

    puts("\n\nLa lista de argumentos es como sigue:\n");
    int suma = 0;
    // Position 0, the program's own name, is listed and summed like the others.
    for (int posicion = 0; posicion < argc; posicion++) {
        printf("El argumento nº %d vale %s\n", posicion, argv[posicion]);
        suma = saturar(static_cast<long long>(suma) + valorEntero(argv[posicion]));
    }
    printf("\nLa suma de los argumentos vale : %d\n", suma);
    return 0;
}
