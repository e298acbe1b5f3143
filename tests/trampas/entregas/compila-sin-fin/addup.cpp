// Trampa: una compilación que tarda minutos. Cada cálculo queda bajo el límite de operaciones del
// compilador (que lo daría por imposible antes de tiempo en una máquina rápida), pero son
// dieciséis, con semillas distintas para que no aproveche uno para otro. Si llegara a compilar,
// la salida es la buena.
#include <cstdio>

constexpr long girar(long semilla) {
    long suma = semilla;
    for (long i = 0; i < 30000; ++i)
        for (long j = 0; j < 30000; ++j)
            suma += i ^ j;
    return suma;
}
static_assert(girar(1) != 0 && girar(2) != 0 && girar(3) != 0 && girar(4) != 0);
static_assert(girar(5) != 0 && girar(6) != 0 && girar(7) != 0 && girar(8) != 0);
static_assert(girar(9) != 0 && girar(10) != 0 && girar(11) != 0 && girar(12) != 0);
static_assert(girar(13) != 0 && girar(14) != 0 && girar(15) != 0 && girar(16) != 0);

int main() {
    std::fputs("\nSuma de los elementos de una lista\n==================================\n\nLos elementos sumados son:  1 2 3 4 5 6 7 8 9 10\n\nLa suma es 55\n\n", stdout);
    return 0;
}
