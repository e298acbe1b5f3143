// linedump: lee un archivo de texto entero en una lista de líneas y las muestra con su índice
#include <cstdio>
#include <cstring>

#include "ficheros.h"
#include "utiles.h"

namespace {

char bufferSalida[65536];  // búfer de la salida: el listado sale en escrituras grandes

constexpr size_t largoMontado = 256;  // el sitio donde se monta una línea del listado

// Muestra la línea i del listado. printf vuelve a leer su formato en cada llamada, y en un
// archivo de millones de líneas eso es casi la mitad del tiempo del programa: la línea se monta
// aquí pieza a pieza y sale con un solo fwrite. Un texto que no cabe, raro, sale con printf.
void mostrarLinea(int i, const char *texto) {
    const char *inicio = "La línea ";
    const char *medio = " contiene \"";
    const size_t largoInicio = strlen(inicio);
    const size_t largoMedio = strlen(medio);
    const size_t largoTexto = strlen(texto);
    // i tiene 10 cifras como mucho, y la línea acaba con la comilla y el salto de línea.
    if (largoInicio + 10 + largoMedio + largoTexto + 2 > largoMontado) {
        printf("La línea %d contiene \"%s\"\n", i, texto);
        return;
    }

    // Las cifras de i salen de la última a la primera: se guardan y se copian al revés.
    char cifras[10];
    int numCifras = 0;
    do {
        cifras[numCifras] = static_cast<char>('0' + i % 10);
        ++numCifras;
        i /= 10;
    } while (i > 0);

    char linea[largoMontado];
    size_t largo = 0;
    memcpy(linea, inicio, largoInicio);
    largo += largoInicio;
    while (numCifras > 0) {
        --numCifras;
        linea[largo] = cifras[numCifras];
        ++largo;
    }
    memcpy(linea + largo, medio, largoMedio);
    largo += largoMedio;
    memcpy(linea + largo, texto, largoTexto);
    largo += largoTexto;
    linea[largo] = '"';
    linea[largo + 1] = '\n';
    largo += 2;
    fwrite(linea, 1, largo, stdout);
}

}  // namespace

int main() {
    // Se pone antes de escribir nada; pedir vacía igualmente su pregunta antes de esperar.
    setvbuf(stdout, bufferSalida, _IOFBF, sizeof bufferSalida);
    charRef ruta = pedir("¿Cual es la ruta del fichero? ");
    charRef *lineas = nullptr;
    int numLineas = 0;
    if (linedump(ruta, &lineas, &numLineas) != 0)
        return 0;  // linedump ya ha dicho por qué

    printf("\nSe han leído %d líneas\n\n", numLineas);
    for (int i = 0; i < numLineas; ++i)
        mostrarLinea(i, lineas[i]);
    return 0;
}
