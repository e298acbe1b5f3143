// wordsload: lee un archivo de cadenas acabadas en NUL, dice cuántas hay y las muestra
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "utiles.h"

namespace {

// Tamaño en bytes de un archivo abierto, yendo a su final; -1 si no se puede saber.
// Un directorio se abre como un archivo pero su tamaño no dice nada: su primera lectura falla.
long tamanoArchivo(FILE *archivo) {
    if (fgetc(archivo) == EOF && ferror(archivo))
        return -1;
    if (fseek(archivo, 0, SEEK_END) != 0)
        return -1;
    const long tamano = ftell(archivo);
    if (tamano < 0 || fseek(archivo, 0, SEEK_SET) != 0)  // a diferencia de rewind, su fallo se ve
        return -1;
    return tamano;
}

// Dice qué archivo no se puede leer, y por qué, y termina el programa.
[[noreturn]] void terminarPorArchivo(const char *nombreArchivo, int error) {
    printf("\n%s - %s - Saliendo.\n\n", nombreArchivo, strerror(error));
    exit(1);
}

// Un bloque nuevo del montón; sin memoria el programa no puede seguir. Un archivo o una lista
// vacíos reciben un bloque de un byte, porque malloc(0) puede dar nulo.
void *reservar(size_t bytes) {
    void *bloque = malloc(bytes > 0 ? bytes : 1);
    if (bloque == nullptr) {
        puts("\nNo queda memoria libre");
        exit(1);
    }
    return bloque;
}

}  // namespace

int main() {
    charRef nombreArchivo = pedir("\n¿Cual es el archivo de entrada? ");
    FILE *archivo = fopen(nombreArchivo, "r");
    if (archivo == nullptr)
        terminarPorArchivo(nombreArchivo, errno);
    const long tamano = tamanoArchivo(archivo);
    if (tamano < 0)
        terminarPorArchivo(nombreArchivo, errno);

    char *contenido = static_cast<char *>(reservar(static_cast<size_t>(tamano)));
    // Solo cuentan los bytes leídos de verdad: el archivo puede haber menguado tras medirlo.
    const size_t leidos = fread(contenido, 1, static_cast<size_t>(tamano), archivo);
    if (ferror(archivo))
        terminarPorArchivo(nombreArchivo, errno);
    fclose(archivo);
    free(nombreArchivo);

    // Cada NUL acaba una cadena; los bytes tras el último NUL no forman ninguna.
    size_t cuantas = 0;
    for (size_t i = 0; i < leidos; ++i)
        if (contenido[i] == '\0')
            ++cuantas;
    printf("\nEl archivo contiene %zu cadenas.\n\n", cuantas);

    charRef *cadenas = static_cast<charRef *>(reservar(cuantas * sizeof(charRef)));
    size_t inicio = 0;    // dónde empieza la cadena que se separa
    size_t cadena = 0;
    for (size_t i = 0; i < leidos; ++i) {
        if (contenido[i] != '\0')
            continue;
        const size_t bytes = i - inicio + 1;    // la cadena y su NUL
        cadenas[cadena] = static_cast<charRef>(reservar(bytes));
        memcpy(cadenas[cadena], contenido + inicio, bytes);
        ++cadena;
        inicio = i + 1;
    }
    free(contenido);

    puts("\nLas cadenas leídas son estas:\n");
    for (size_t k = 0; k < cuantas; ++k) {
        puts(cadenas[k]);
        free(cadenas[k]);
    }
    free(cadenas);
    return 0;
}
