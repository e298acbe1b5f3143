// cda: start, stop and help of a menu application.
#ifndef CDA_H
#define CDA_H

#include "tipos.h"

// Clears the application record: every reference null, every number 0.
void arranque(GlobRef g, int argc, char *argv[]);
void parada(GlobRef g);
void ayuda();

#endif
