// solve2x2: resuelve por la regla de Cramer un sistema fijo de dos ecuaciones lineales
#include <cstdio>

namespace {

// El sistema 1·X1 + 2·X2 = 1, 3·X1 + 4·X2 = 2.
constexpr float a11 = 1, a12 = 2, a21 = 3, a22 = 4;
constexpr float b1 = 1, b2 = 2;

}  // namespace

int main() {
    const float determinante = a11 * a22 - a12 * a21;

    puts("\n\nSolución de un sistema lineal 2x2");
    puts("=================================\n");
    if (determinante == 0.0f) {
        puts("\n\nEste sistema no tiene solución.\n");
        return 0;
    }
    // 0 / -2 es un cero negativo: X1 se escribe como -0.00.
    const float x1 = (b1 * a22 - a12 * b2) / determinante;
    const float x2 = (a11 * b2 - b1 * a21) / determinante;

    puts("\nSistema estudiado:\n");
    printf("| %6.2f %6.2f |   |   X1  |   | %6.2f |\n",
           static_cast<double>(a11), static_cast<double>(a12), static_cast<double>(b1));
    puts("|               | x |       | = |        |");
    printf("| %6.2f %6.2f |   |   X2  |   | %6.2f |\n",
           static_cast<double>(a21), static_cast<double>(a22), static_cast<double>(b2));

    puts("\n\nSolución\n========\n");
    printf("    | %6.2f |\n", static_cast<double>(x1));
    puts("X = |        |");
    printf("    | %6.2f |\n\n\n", static_cast<double>(x2));
    return 0;
}
