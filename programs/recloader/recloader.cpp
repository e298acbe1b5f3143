// recloader: lee un archivo binario de registros y los lista numerados en una tabla con bordes
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "registro.h"
#include "utiles.h"

namespace {

// El borde de arriba y de abajo del listado, de 44 caracteres como sus filas.
const char *const borde = "+-----+----------------------+-----+-------+";

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

// Dice por qué no se puede usar el archivo y termina el programa.
[[noreturn]] void terminarPorArchivo(int error) {
    printf("Saliendo - %s\n\n", strerror(error));
    exit(1);
}

}  // namespace

int main() {
    charRef nombreArchivo = pedir("Dígame el nombre del archivo: ");
    FILE *archivo = fopen(nombreArchivo, "r");
    if (archivo == nullptr)
        terminarPorArchivo(errno);
    free(nombreArchivo);

    const long tamano = tamanoArchivo(archivo);
    if (tamano < 0)
        terminarPorArchivo(errno);
    // Los bytes que pasan del último registro entero no cuentan.
    const size_t cuantos = static_cast<size_t>(tamano) / sizeof(Registro);
    printf("\n\nSe han leído %zu registros.\n\n", cuantos);

    // A ceros, para que los registros que una lectura corta no trae salgan vacíos y no con
    // basura; y con un registro de más, para que un archivo vacío también tenga su bloque.
    Registro *registros = static_cast<Registro *>(calloc(cuantos + 1, sizeof(Registro)));
    if (registros == nullptr) {
        puts("\nNo queda memoria libre");
        exit(1);
    }
    if (fread(registros, sizeof(Registro), cuantos, archivo) < cuantos)
        printf("\n\nError de lectura - %s\n\n", strerror(errno));
    fclose(archivo);

    puts("\n\nListado de registros leídos\n");
    puts(borde);
    for (size_t i = 0; i < cuantos; ++i) {
        charRef fila = toString(&registros[i]);
        printf("| %3zu %s\n", i, fila);
        free(fila);
    }
    puts(borde);
    free(registros);
    return 0;
}
