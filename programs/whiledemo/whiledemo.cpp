// whiledemo: cuenta con un bucle while entre dos límites dados, o de 1 a 10 si no se dan
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

// Un límite escrito en la línea de órdenes: lo que strtol lee de él (0 si no hay número),
// sujeto al intervalo de un int.
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
        // Se para en el último valor mismo: un paso más allá de INT_MAX desbordaría.
        if (contador == ultimo)
            break;
        contador++;
    }

    puts("\nTerminación normal del programa");
    return 0;
}
