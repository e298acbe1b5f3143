// registro: the person record's text formatters.
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "registro.h"

namespace {

// Formats into a new heap text of exactly the result's length plus its NUL: the text is
// measured first, so it is never cut, whatever the delimiter or the widths.
[[gnu::format(printf, 1, 2)]] charRef formatear(const char *formato, ...) {
    va_list valores;
    va_start(valores, formato);
    const int longitud = vsnprintf(nullptr, 0, formato, valores);
    va_end(valores);
    // printf cannot count beyond INT_MAX bytes: such a text cannot be built.
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

// Each name goes through "%.*s" with the field's size, so a name without a NUL stops there.

charRef toDelimString(const Registro *registro, const char *delimitador) {
    return formatear("%.*s%s%d%s%f", longitudNombre, registro->nombre, delimitador,
                     registro->edad, delimitador, static_cast<double>(registro->talla));
}

charRef toEncolString(const Registro *registro, const int anchuras[3]) {
    // The widths go in through "*", so the format needs no building.
    return formatear("%-*.*s%*d%*f", anchuras[0], longitudNombre, registro->nombre,
                     anchuras[1], registro->edad, anchuras[2],
                     static_cast<double>(registro->talla));
}

charRef toString(const Registro *registro) {
    return formatear("| %-20.*s | %3d | %5.2f |", longitudNombre, registro->nombre,
                     registro->edad, static_cast<double>(registro->talla));
}
