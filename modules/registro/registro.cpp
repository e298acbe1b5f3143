// registro: los formatos de texto del registro de una persona
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "registro.h"

namespace {

// Da formato en un texto nuevo en memoria dinámica, de exactamente la longitud del resultado
// más su NUL: primero se mide el texto, así nunca se corta, sean cuales sean el delimitador o
// las anchuras.
[[gnu::format(printf, 1, 2)]] charRef formatear(const char *formato, ...) {
    va_list valores;
    va_start(valores, formato);
    const int longitud = vsnprintf(nullptr, 0, formato, valores);
    va_end(valores);
    // printf no sabe contar más allá de INT_MAX bytes: un texto así no se puede formar.
    if (longitud < 0) {
        printf("\nNo se pudo formar el texto - %s\n", strerror(errno));
        exit(1);
    }

    charRef texto = static_cast<charRef>(malloc(static_cast<size_t>(longitud) + 1));
    if (texto == nullptr) {
        puts("\nNo queda memoria libre");
        exit(1);
    }
    va_start(valores, formato);
    vsnprintf(texto, static_cast<size_t>(longitud) + 1, formato, valores);
    va_end(valores);
    return texto;
}

}  // namespace

// Cada nombre pasa por "%.*s" con el tamaño del campo: así un nombre sin NUL se detiene ahí.

charRef toDelimString(const Registro *registro, const char *delimitador) {
    return formatear("%.*s%s%d%s%f", longitudNombre, registro->nombre, delimitador,
                     registro->edad, delimitador, static_cast<double>(registro->talla));
}

charRef toEncolString(const Registro *registro, const int anchuras[3]) {
    // Las anchuras entran por "*": así no hace falta construir el formato.
    return formatear("%-*.*s%*d%*f", anchuras[0], longitudNombre, registro->nombre,
                     anchuras[1], registro->edad, anchuras[2],
                     static_cast<double>(registro->talla));
}

charRef toString(const Registro *registro) {
    return formatear("| %-20.*s | %3d | %5.2f |", longitudNombre, registro->nombre,
                     registro->edad, static_cast<double>(registro->talla));
}
