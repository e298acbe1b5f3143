// digitsloop: the digits 0 to 9, one per line.
#include <cstdio>

int main() {
    for (int contador = 0; contador < 10; contador++)
        printf("%d\n", contador);
    return 0;
}
