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

// Se ejecuta al terminar, tanto al volver de main como con exit, y recibe el estado de salida.
// Un disco lleno o una tubería cerrada solo se notan al vaciar el búfer: si falla, el programa
// no puede terminar como si todo hubiera ido bien.
void comprobarSalida(int estado, void *) {
    errno = 0;
    if (fflush(stdout) == 0 && !ferror(stdout))
        return;
    const int error = errno != 0 ? errno : motivoDelFallo();
    fprintf(stderr, "%s: %s\n", program_invocation_short_name, strerror(error));
    fflush(nullptr);  // _exit no vacía los demás archivos: que no se pierda lo escrito en ellos
    _exit(estado != 0 ? estado : 1);
}

// Se registra antes que nada, así que al terminar se ejecuta después de todo lo demás.
__attribute__((constructor(101))) void registrarComprobacion() {
    on_exit(comprobarSalida, nullptr);
}

}  // namespace
