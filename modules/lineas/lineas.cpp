// lineas: la siguiente línea de un flujo, leída entera por larga que sea
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/types.h>

#include "lineas.h"

namespace {

// El búfer del lector: crece hasta la línea más larga vista y lo reutilizan todas las llamadas.
char *buffer = nullptr;
size_t capacidad = 0;

}  // namespace

const char *siguienteLinea(FILE *flujo, size_t *longitud) {
    // getline agranda el búfer cuando hace falta, cuenta todos los bytes, también los NUL, y
    // pone otro NUL tras el último.
    errno = 0;
    const ssize_t leidos = getline(&buffer, &capacidad, flujo);
    if (leidos < 0) {
        // Quedarse sin memoria no es llegar al final: callarlo dejaría la lista cortada.
        if (errno == ENOMEM) {
            puts("\nNo queda memoria libre");
            exit(1);
        }
        return nullptr;
    }
    *longitud = static_cast<size_t>(leidos);
    return buffer;
}
