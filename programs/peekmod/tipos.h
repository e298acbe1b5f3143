// tipos: the application record of the text-file viewer's menu handlers.
#ifndef TIPOS_H
#define TIPOS_H

#include "utiles.h"

// Everything the viewer's handlers share.
struct Globales {
    charRef nombreDelArchivo;     // the path typed last; null at start
    charRef contenidoDelArchivo;  // the text of the last file read; null at start
    int salirDePrograma;          // 1 once the user has confirmed leaving
};
using GlobRef = Globales *;

// A menu handler: one for each option of a menu.
using funRef = void (*)(GlobRef);

#endif
