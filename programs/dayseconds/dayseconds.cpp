// dayseconds: calcula cuántos segundos tiene un día
#include <cstdio>

namespace {

constexpr float segundosPorMinuto = 60;
constexpr float minutosPorHora = 60;
constexpr float horasPorDia = 24;

}  // namespace

int main() {
    puts("\nSegundos por día\n=================\n");
    const float segundosPorDia = segundosPorMinuto * minutosPorHora * horasPorDia;
    printf("En un día hay %f segundos.\n\n", static_cast<double>(segundosPorDia));
    return 0;
}
