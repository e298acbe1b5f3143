/* utiles: entrada por consola de los programas del curso: líneas, preguntas y números en rango */
#ifndef UTILES_H
#define UTILES_H

#ifdef __cplusplus
extern "C" {
#endif

/* Un texto: referencia a una cadena de caracteres terminada en nulo. */
typedef char *charRef;

/* Lee una línea (como mucho 1023 caracteres, sin el salto de línea) en un búfer nuevo de
   1024 bytes en memoria dinámica, que quien llama libera con free. Acabada la entrada, la
   línea queda vacía. */
charRef sgets(void);

/* Muestra la pregunta y un espacio; después lee una línea como sgets. */
charRef pedir(const char *prompt);

/* Preguntan hasta que la respuesta es un número entre min y max, ambos incluidos.
   Si se acaba la entrada, el programa termina con estado de salida 1. */
int pedirInt(const char *prompt, int min, int max);
float pedirFloat(const char *prompt, float min, float max);
double pedirDouble(const char *prompt, double min, double max);

/* Pregunta si se quiere salir hasta que la respuesta empieza por s o por n;
   con n guarda 0 en *flag. */
void salir(char *flag);

#ifdef __cplusplus
}
#endif

#endif
