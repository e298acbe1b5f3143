// addthree: suma tres números enteros fijos (1, 2 y 3) y muestra la suma
#include <cstdio>

int main() {
    const int a = 1;
    const int b = 2;
    const int c = 3;
    int suma = 0;

    suma = a + b + c;
    printf("\n\nLa suma de %d, %d y %d es %d\n\n", a, b, c, suma);
    return 0;
}
