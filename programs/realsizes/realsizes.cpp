// realsizes: how many bytes one variable of each real type takes on this platform.
#include <cstdio>

int main() {
    float unFloat = 0;
    double unDouble = 0;
    long double unLongDouble = 0;

    puts("\nDimensiones de los tipos reales\n==============================");
    // sizeof gives a size_t, printed with %zu.
    printf("\nunFloat ocupa       %2zu bytes\n", sizeof unFloat);
    printf("\nunDouble ocupa      %2zu bytes\n", sizeof unDouble);
    printf("\nunLongDouble ocupa  %2zu bytes\n\n", sizeof unLongDouble);
    return 0;
}
