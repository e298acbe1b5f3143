// cda: arranque, parada y ayuda de una aplicación de menú
#include <cstdio>

#include "cda.h"

void arranque(GlobRef g, [[maybe_unused]] int argc, [[maybe_unused]] char *argv[]) {
    *g = Globales{};
}

void parada([[maybe_unused]] GlobRef g) {
    puts("\n\nSe ha ejecutado el procedimiento de parada.\n");
}

void ayuda() {
    puts("\n\nEste es el mecanismo de ayuda.\n");
}
