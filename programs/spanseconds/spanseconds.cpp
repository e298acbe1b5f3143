// spanseconds: los segundos de un día, una semana, un mes y un año, cada uno sobre el anterior
#include <cstdio>

namespace {

// Un mes son cuatro semanas, y un año, doce de esos meses.
constexpr float segundosPorMinuto = 60;
constexpr float minutosPorHora = 60;
constexpr float horasPorDia = 24;
constexpr float diasPorSemana = 7;
constexpr float semanasPorMes = 4;
constexpr float mesesPorAnio = 12;

}  // namespace

int main() {
    puts("\nSegundos fuera!\n================\n");

    const float dia = segundosPorMinuto * minutosPorHora * horasPorDia;
    const float semana = dia * diasPorSemana;
    const float mes = semana * semanasPorMes;
    const float anio = mes * mesesPorAnio;

    printf("En un día hay       %f segundos.\n\n", static_cast<double>(dia));
    printf("En una semana hay   %f segundos.\n\n", static_cast<double>(semana));
    printf("En un mes hay       %f segundos.\n\n", static_cast<double>(mes));
    printf("En un año hay       %f segundos.\n\n", static_cast<double>(anio));
    return 0;
}
