// calnames: muestra el nombre inglés de un día y de un mes, tomados de tablas de anchura fija
#include <cstdio>

int main() {
    // Una fila por nombre; el resto de cada fila se rellena con nulos.
    const char dias[7][10] = {"Monday", "Tuesday", "Wednesday", "Thursday",
                              "Friday", "Saturday", "Sunday"};
    const char meses[12][11] = {"January", "February", "March", "April", "May", "June",
                                "July", "August", "September", "October", "November", "December"};
    const int dia = 0;  // las filas se numeran desde 0
    const int mes = 0;

    puts("\nDías de la semana y del mes en Inglés");
    puts("=====================================\n");
    printf("El %s tiene el valor %d\n", dias[dia], dia);
    printf("El mes de %s tiene el valor %d\n\n", meses[mes], mes);
    return 0;
}
