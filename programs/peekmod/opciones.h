// opciones: manejadores de menú que leen un archivo de texto entero y lo muestran
#ifndef OPCIONES_H
#define OPCIONES_H

#include "tipos.h"

// Pide una ruta y lee ese archivo entero en contenidoDelArchivo. La ruta se guarda en
// nombreDelArchivo aunque el archivo no se pueda leer; lo que cada uno sustituye se libera.
void abrir(GlobRef g);

// Muestra el texto del último archivo leído bajo la última ruta escrita.
void mostrar(GlobRef g);

#endif
