// aplicacion: el distribuidor de opciones de un menú y sus manejadores de siempre
#ifndef APLICACION_H
#define APLICACION_H

#include "tipos.h"

// Pide confirmación y, si la respuesta empieza por S o s, pone a 1 salirDePrograma.
void ssalir(GlobRef g);

// El manejador de todo carácter que no es una opción.
void volver(GlobRef g);

// Muestra el menú y ejecuta el manejador de cada letra elegida hasta que se activa salirDePrograma.
// opciones tiene una letra por cada manejador de funciones, que termina con una entrada nula.
void distribuidor(GlobRef g, const char *menu, const char *opciones, const funRef funciones[]);

#endif
