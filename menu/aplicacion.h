// aplicacion: the option dispatcher of a menu and its standard handlers.
#ifndef APLICACION_H
#define APLICACION_H

#include "tipos.h"

// Asks for confirmation and, given S, sets salirDePrograma.
void ssalir(GlobRef g);

// The handler of every character that is no option.
void volver(GlobRef g);

// Shows the menu and runs the handler of each chosen letter until salirDePrograma is set.
// opciones holds one letter per handler of funciones, which ends with a null entry.
void distribuidor(GlobRef g, const char *menu, const char *opciones, const funRef funciones[]);

#endif
