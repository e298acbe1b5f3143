// calnames: prints the English name of a day and of a month picked from fixed-width tables.
#include <cstdio>

int main() {
    // One row per name, the rest of each row filled with nulls.
    const char dias[7][10] = {"Monday", "Tuesday", "Wednesday", "Thursday",
                              "Friday", "Saturday", "Sunday"};
    const char meses[12][11] = {"January", "February", "March", "April", "May", "June",
                                "July", "August", "September", "October", "November", "December"};
    const int dia = 0;  // rows are numbered from 0
    const int mes = 0;

    puts("\nDías de la semana y del mes en Inglés");
    puts("=====================================\n");
    printf("El %s tiene el valor %d\n", dias[dia], dia);
    printf("El mes de %s tiene el valor %d\n\n", meses[mes], mes);
    return 0;
}
