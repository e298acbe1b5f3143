// lineas: la siguiente línea de un flujo, leída entera por larga que sea
#ifndef LINEAS_H
#define LINEAS_H

#include <cstddef>
#include <cstdio>

// Devuelve la dirección de la siguiente línea de flujo y deja en *longitud cuántos bytes tiene,
// con el salto de línea si lo hay. Tras los bytes hay un NUL, que no se cuenta, y solo valen
// hasta la siguiente llamada. Devuelve nullptr al final del archivo y ante un error de lectura.
// Si no queda memoria para la línea, lo dice y termina el programa con estado 1.
const char *siguienteLinea(FILE *flujo, size_t *longitud);

#endif
