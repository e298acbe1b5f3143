// Trampa: una compilación que tarda minutos (el compilador calcula 4·10¹⁰ pasos antes de
// rendirse en su propio límite). Si llegara a compilar, la salida es la buena.
#include <cstdio>

constexpr long girar() {
    long suma = 0;
    for (long i = 0; i < 200000; ++i)
        for (long j = 0; j < 200000; ++j)
            suma += i ^ j;
    return suma;
}
static_assert(girar() != 0);

int main() {
    std::fputs("\nSuma de los elementos de una lista\n==================================\n\nLos elementos sumados son:  1 2 3 4 5 6 7 8 9 10\n\nLa suma es 55\n\n", stdout);
    return 0;
}
