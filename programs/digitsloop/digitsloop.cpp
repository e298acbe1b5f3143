// digitsloop: muestra las cifras del 0 al 9, una por línea
#include <cstdio>

int main() {
    for (int contador = 0; contador < 10; contador++)
        printf("%d\n", contador);
    return 0;
}
