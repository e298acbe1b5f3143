// tipos: el registro de la aplicación de los manejadores del visor de archivos de texto
#ifndef TIPOS_H
#define TIPOS_H

#include "utiles.h"

// Todo lo que comparten los manejadores del visor.
struct Globales {
    charRef nombreDelArchivo;     // la última ruta escrita; nula al empezar
    charRef contenidoDelArchivo;  // el texto del último archivo leído; nulo al empezar
    int salirDePrograma;          // 1 cuando el usuario ha confirmado que sale
};
using GlobRef = Globales *;

// Un manejador de menú: uno por cada opción del menú.
using funRef = void (*)(GlobRef);

#endif
