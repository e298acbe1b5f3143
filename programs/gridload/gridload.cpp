// gridload: reads a table of integers from disk and shows its size and its element t[3][4].
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "utiles.h"

namespace {

const char *const nombrePorDefecto = "salida.dat";  // used when the answer is empty
constexpr long cabecera = 2 * sizeof(int);          // the numbers of rows and columns
constexpr int filaMostrada = 3;
constexpr int columnaMostrada = 4;

// What leerTabla tells its caller.
constexpr int tablaLeida = 0;
constexpr int errorDeLectura = 1;
constexpr int tablaInvalida = 2;

// Reads the header and the elements it announces; never more than the file holds.
int leerTabla(FILE *archivo, int *filas, int *columnas, int **tabla) {
    if (fread(filas, sizeof *filas, 1, archivo) != 1 ||
        fread(columnas, sizeof *columnas, 1, archivo) != 1)
        return ferror(archivo) ? errorDeLectura : tablaInvalida;
    if (*filas < 1 || *columnas < 1)
        return tablaInvalida;

    // A header that announces more elements than the file holds is not believed.
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
    // A smaller table, which gridsave may write, has no such element.
    if (filas <= filaMostrada || columnas <= columnaMostrada) {
        printf("\n\nLa tabla no tiene el elemento t[%d][%d]\n", filaMostrada, columnaMostrada);
        return 1;
    }
    printf("\n\nEl elemento t[%d][%d] vale %d\n", filaMostrada, columnaMostrada,
           tabla[filaMostrada * columnas + columnaMostrada]);
    return 0;
}
