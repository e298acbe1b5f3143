// realsizes: muestra cuántos bytes ocupa en esta plataforma una variable de cada tipo real
#include <cstdio>

int main() {
    float unFloat = 0;
    double unDouble = 0;
    long double unLongDouble = 0;

    puts("\nDimensiones de los tipos reales\n==============================");
    // sizeof da un size_t, que se escribe con %zu.
    printf("\nunFloat ocupa       %2zu bytes\n", sizeof unFloat);
    printf("\nunDouble ocupa      %2zu bytes\n", sizeof unDouble);
    printf("\nunLongDouble ocupa  %2zu bytes\n\n", sizeof unLongDouble);
    return 0;
}
