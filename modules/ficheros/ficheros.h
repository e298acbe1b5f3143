// ficheros: archivos de texto leídos enteros como listas de líneas, y tablas de reales en texto
#ifndef FICHEROS_H
#define FICHEROS_H

#include "utiles.h"

// Lee entero el archivo de texto de ruta. *lineas recibe un vector nuevo de cadenas del montón,
// una por línea en el orden del archivo y sin el final de línea, y *numLineas cuántas son.
// Devuelve 0; si el archivo no se puede abrir, lo dice, devuelve 1 y no entrega nada. Si no
// queda memoria, lo dice y termina el programa con estado 1.
// Quien llama libera cada línea y después el vector.
int linedump(const char *ruta, charRef **lineas, int *numLineas);

// Lee filas x columnas reales (fila tras fila) del archivo de texto de ruta en una tabla nueva
// que entrega en *tabla y que libera quien llama. Devuelve cuántos elementos no se pudieron
// leer, que valen NaN. Si el archivo no se puede abrir, lo dice, devuelve 0 y deja *tabla
// como estaba: quien la puso antes a nullptr distingue los dos casos.
int leerTablaReales(float **tabla, int filas, int columnas, const char *ruta);

// Muestra la tabla, una fila por línea. Si no hay tabla, devuelve 1 sin mostrar nada.
int mostrarTablaReales(const float *tabla, int filas, int columnas);

#endif
