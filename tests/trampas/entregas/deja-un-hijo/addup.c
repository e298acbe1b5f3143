/* Trampa: deja un hijo vivo cuando termina, con un nombre que se puede buscar, que seguiría
 * quince segundos en la máquina del profesor. */
#include <sys/prctl.h>
#include <unistd.h>

int main(void) {
    if (fork() == 0) {
        alarm(20);
        prctl(PR_SET_NAME, "trampa-sigue");
        sleep(15);
        _exit(0);
    }
    return 1;
}
