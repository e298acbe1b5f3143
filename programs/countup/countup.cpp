// countup: the numbers 1 to 10, one per line.
#include <cstdio>

int main() {
    for (int contador = 1; contador <= 10; contador++)
        printf("%d\n", contador);
    return 0;
}
