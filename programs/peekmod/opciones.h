// opciones: the menu handlers of the text-file viewer.
#ifndef OPCIONES_H
#define OPCIONES_H

#include "tipos.h"

// Asks for a path and reads that whole file into contenidoDelArchivo. The path is kept
// in nombreDelArchivo even when the file cannot be read; what each replaces is released.
void abrir(GlobRef g);

// Shows the text of the last file read under the last path typed.
void mostrar(GlobRef g);

#endif
