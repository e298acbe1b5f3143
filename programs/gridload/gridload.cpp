// gridload: lee de disco una tabla de enteros y muestra su tamaño y su elemento t[3][4]
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "utiles.h"

namespace {

const char *const nombrePorDefecto = "salida.dat";  // el que se usa si la respuesta está vacía
constexpr long cabecera = 2 * sizeof(int);          // el número de filas y el de columnas
constexpr int filaMostrada = 3;
constexpr int columnaMostrada = 4;

// Lo que leerTabla le dice a quien la llama.
constexpr int tablaLeida = 0;
constexpr int errorDeLectura = 1;
constexpr int tablaInvalida = 2;

// Lee la cabecera y los elementos que anuncia; nunca más de los que tiene el archivo.
int leerTabla(FILE *archivo, int *filas, int *columnas, int **tabla) {
    if (fread(filas, sizeof *filas, 1, archivo) != 1 ||
        fread(columnas, sizeof *columnas, 1, archivo) != 1)
        return ferror(archivo) ? errorDeLectura : tablaInvalida;
    if (*filas < 1 || *columnas < 1)
        return tablaInvalida;

    // Una cabecera que anuncia más elementos de los que tiene el archivo no se cree.
    if (fseek(archivo, 0, SEEK_END) != 0)
        return errorDeLectura;
    const long tamano = ftell(archivo);
    if (tamano < 0 || fseek(archivo, cabecera, SEEK_SET) != 0)
        return errorDeLectura;
    const long disponibles = (tamano - cabecera) / static_cast<long>(sizeof(int));
    if (*filas > disponibles / *columnas)
        return tablaInvalida;

    const size_t elementos = static_cast<size_t>(*filas) * *columnas;
    *tabla = static_cast<int *>(malloc(elementos * sizeof(int)));
    if (*tabla == nullptr) {
        puts("\nNo queda memoria libre");
        exit(1);
    }
    if (fread(*tabla, sizeof(int), elementos, archivo) != elementos)
        return ferror(archivo) ? errorDeLectura : tablaInvalida;
    return tablaLeida;
}

}  // namespace

int main() {
    charRef nombreEscrito = pedir("¿Cual es el nombre del archivo de origen? ");
    const char *nombre = nombreEscrito[0] == '\0' ? nombrePorDefecto : nombreEscrito;

    FILE *archivo = fopen(nombre, "r");
    if (archivo == nullptr) {
        printf("\n\nError al leer el archivo \"%s\": %s\n\n", nombreEscrito, strerror(errno));
        return 0;
    }
    int filas = 0;
    int columnas = 0;
    int *tabla = nullptr;
    const int lectura = leerTabla(archivo, &filas, &columnas, &tabla);
    if (lectura == errorDeLectura) {
        printf("\n\nError al leer el archivo \"%s\": %s\n\n", nombreEscrito, strerror(errno));
        return 1;
    }
    fclose(archivo);
    if (lectura == tablaInvalida) {
        printf("\n\nEl archivo \"%s\" no contiene una tabla de enteros válida\n\n", nombre);
        return 1;
    }

    printf("\nSe ha leido el archivo %s\n\n", nombre);
    printf("\nEl número de filas es     : %d\n", filas);
    printf("\nEl número de columnas es  : %d\n", columnas);
    // Una tabla más pequeña, que gridsave puede escribir, no tiene ese elemento.
    if (filas <= filaMostrada || columnas <= columnaMostrada) {
        printf("\n\nLa tabla no tiene el elemento t[%d][%d]\n", filaMostrada, columnaMostrada);
        return 1;
    }
    printf("\n\nEl elemento t[%d][%d] vale %d\n", filaMostrada, columnaMostrada,
           tabla[filaMostrada * columnas + columnaMostrada]);
    return 0;
}
