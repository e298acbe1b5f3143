// gridsave: rellena una tabla de enteros que dicen su fila y su columna, y la guarda en disco
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "utiles.h"

namespace {

const char *const nombrePorDefecto = "salida.dat";  // el que se usa si la respuesta está vacía

// El archivo guarda el número de filas, el de columnas y después los elementos fila a fila.
bool escribirTabla(FILE *archivo, int filas, int columnas, const int *tabla) {
    const size_t elementos = static_cast<size_t>(filas) * columnas;
    return fwrite(&filas, sizeof filas, 1, archivo) == 1 &&
           fwrite(&columnas, sizeof columnas, 1, archivo) == 1 &&
           fwrite(tabla, sizeof(int), elementos, archivo) == elementos;
}

// El archivo ha fallado: dice cuál, tal como se escribió, y por qué.
void informarError(const char *nombreEscrito) {
    printf("\n\nError: el archivo \"%s\" %s\n\n", nombreEscrito, strerror(errno));
}

}  // namespace

int main() {
    puts("Generación de una tabla de enteros en disco\n");
    const int filas = pedirInt("¿Cual es el número de filas? ", 1, 10);
    const int columnas = pedirInt("¿Cual es el número de columnas? ", 1, 10);

    int *tabla = static_cast<int *>(malloc(filas * columnas * sizeof(int)));
    if (tabla == nullptr) {
        puts("\nNo queda memoria libre");
        return 1;
    }
    for (int i = 0; i < filas; ++i)
        for (int j = 0; j < columnas; ++j)
            tabla[i * columnas + j] = i * 10 + j;

    charRef nombreEscrito = pedir("¿Cual es el nombre del archivo de destino? ");
    const char *nombre = nombreEscrito[0] == '\0' ? nombrePorDefecto : nombreEscrito;

    FILE *archivo = fopen(nombre, "w");
    if (archivo == nullptr) {
        informarError(nombreEscrito);
        return 0;
    }
    if (!escribirTabla(archivo, filas, columnas, tabla)) {
        informarError(nombreEscrito);
        fclose(archivo);
        return 1;
    }
    // Los bytes del búfer salen en fclose: un disco lleno puede notarse solo aquí.
    if (fclose(archivo) != 0) {
        informarError(nombreEscrito);
        return 1;
    }
    printf("\nSe ha creado el archivo %s\n\n", nombre);
    return 0;
}
