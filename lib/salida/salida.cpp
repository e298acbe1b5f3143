// salida: al terminar, comprueba que todo lo escrito en la salida estándar llegó a su destino.
// El programa no llama a nada de aquí: la compilación lo añade a cada programa del curso.
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Si la escritura falló antes (al vaciar el búfer ante una pregunta), aquel búfer se perdió y
// errno ya no guarda el motivo: se le pregunta al propio descriptor, sin escribir nada.
int motivoDelFallo() {
    errno = 0;
    if (write(STDOUT_FILENO, "", 0) < 0)
        return errno;  // un dispositivo lleno, un descriptor cerrado
    pollfd salida = {STDOUT_FILENO, POLLOUT, 0};
    if (poll(&salida, 1, 0) == 1 && (salida.revents & POLLERR) != 0)
        return EPIPE;  // una tubería sin nadie que lea
    return EIO;
}

// El nombre con que se llamó al programa, sin su carpeta: así firman sus avisos las órdenes
// del sistema.
const char *nombreDelPrograma() {
#ifdef TIENE_GETPROGNAME
    return getprogname();  // macOS y los BSD lo guardan al arrancar el programa
#else
    // Sin getprogname (Linux), el sistema tiene la orden con que se lanzó el programa en
    // /proc/self/cmdline: sus textos van separados por NUL, y el primero es argv[0].
    static char orden[4096];
    size_t leidos = 0;
    FILE *cmdline = fopen("/proc/self/cmdline", "r");
    if (cmdline != nullptr) {
        leidos = fread(orden, 1, sizeof orden - 1, cmdline);
        fclose(cmdline);
    }
    orden[leidos] = '\0';
    if (orden[0] == '\0')
        return "programa";
    const char *barra = strrchr(orden, '/');
    return barra != nullptr ? barra + 1 : orden;
#endif
}

// Se ejecuta al terminar, tanto al volver de main como con exit. Un disco lleno o una tubería
// cerrada solo se notan al vaciar el búfer: si falla, el programa no puede terminar como si
// todo hubiera ido bien, así que termina con estado 1 (atexit no dice con qué estado iba a
// terminar).
void comprobarSalida() {
    errno = 0;
    if (fflush(stdout) == 0 && !ferror(stdout))
        return;
    const int error = errno != 0 ? errno : motivoDelFallo();
    fprintf(stderr, "%s: %s\n", nombreDelPrograma(), strerror(error));
    fflush(nullptr);  // _exit no vacía los demás archivos: que no se pierda lo escrito en ellos
    _exit(1);
}

// Se registra al arrancar, antes de main: al terminar, atexit ejecuta lo registrado en orden
// inverso, así que la comprobación llega después de todo lo que registre el programa.
const int registrada = atexit(comprobarSalida);

}  // namespace
