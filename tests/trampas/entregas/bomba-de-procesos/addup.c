/* Trampa: una bomba de procesos que se para sola en 300. Si llega, copia la salida buena. */
#include <signal.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

int main(void) {
    alarm(20);
    int hechos = 0;
    pid_t hijos[300];
    while (hechos < 300) {
        const pid_t hijo = fork();
        if (hijo == 0) {
            sleep(5);
            _exit(0);
        }
        if (hijo < 0)
            break;
        hijos[hechos++] = hijo;
    }
    for (int i = 0; i < hechos; i++)
        kill(hijos[i], SIGKILL);
    while (wait(NULL) > 0) {
    }
    if (hechos < 300)
        return 1;
    fputs("\nSuma de los elementos de una lista\n==================================\n\nLos elementos sumados son:  1 2 3 4 5 6 7 8 9 10\n\nLa suma es 55\n\n", stdout);
    return 0;
}
