/* Trampa: calcula tres segundos de procesador antes de contestar (el límite de tiempo total
 * es mayor). */
#include <stdio.h>
#include <time.h>
#include <unistd.h>

int main(void) {
    alarm(20);
    volatile unsigned long vueltas = 0;
    while (clock() < 3 * CLOCKS_PER_SEC)
        vueltas++;
    fputs("\nSuma de los elementos de una lista\n==================================\n\nLos elementos sumados son:  1 2 3 4 5 6 7 8 9 10\n\nLa suma es 55\n\n", stdout);
    return 0;
}
