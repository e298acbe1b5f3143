// countup: muestra los números del 1 al 10, uno por línea
#include <cstdio>

int main() {
    for (int contador = 1; contador <= 10; contador++)
        printf("%d\n", contador);
    return 0;
}
