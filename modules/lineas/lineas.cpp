// lineas: the next line of a stream, read whole however long it is.
#include <cstdio>
#include <sys/types.h>

#include "lineas.h"

namespace {

// The reader's buffer: it grows to the longest line seen and is reused by every call.
char *buffer = nullptr;
size_t capacidad = 0;

}  // namespace

const char *siguienteLinea(FILE *flujo, size_t *longitud) {
    // getline grows the buffer as needed and counts every byte, NUL bytes too.
    const ssize_t leidos = getline(&buffer, &capacidad, flujo);
    if (leidos < 0)
        return nullptr;
    *longitud = static_cast<size_t>(leidos);
    return buffer;
}
