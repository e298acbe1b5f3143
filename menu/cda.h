// cda: arranque, parada y ayuda de una aplicación de menú
#ifndef CDA_H
#define CDA_H

#include "tipos.h"

// Limpia el registro de la aplicación: toda referencia a nulo, todo número a 0.
void arranque(GlobRef g, int argc, char *argv[]);
void parada(GlobRef g);
void ayuda();

#endif
