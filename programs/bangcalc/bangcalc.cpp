// bangcalc: muestra el factorial de 6, un valor conocido de antemano
#include <cstdio>

namespace {

constexpr float numero = 6;
constexpr float factorial = 720;  // 6 · 5 · 4 · 3 · 2 · 1

}  // namespace

int main() {
    puts("\n\nFactorial\n=========\n");
    printf("El factorial de %4.1f es %.1f\n\n", static_cast<double>(numero),
           static_cast<double>(factorial));
    return 0;
}
