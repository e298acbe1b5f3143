// paramsum: enumera los argumentos de la línea de órdenes con su posición y suma sus valores
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

// Un número más ancho devuelto al intervalo de 32 bits: pasado un límite, vale ese límite.
int saturar(long long valor) {
    if (valor > INT_MAX)
        return INT_MAX;
    if (valor < INT_MIN)
        return INT_MIN;
    return static_cast<int>(valor);
}

// El número con que empieza el texto, como lo lee atoi (blancos, signo, cifras); 0 si no hay.
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
    // La posición 0, el nombre del propio programa, se enumera y se suma como las demás.
    for (int posicion = 0; posicion < argc; posicion++) {
        printf("El argumento nº %d vale %s\n", posicion, argv[posicion]);
        suma = saturar(static_cast<long long>(suma) + valorEntero(argv[posicion]));
    }
    printf("\nLa suma de los argumentos vale : %d\n", suma);
    return 0;
}
