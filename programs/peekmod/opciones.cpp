// opciones: the menu handlers of the text-file viewer.
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "opciones.h"
#include "utiles.h"

namespace {

// The same message for a file that cannot be opened and for one that cannot be read.
void avisarNoSePuedeLeer() {
    puts("\n\nNo se puede leer el archivo, o el archivo está vacío.\n");
}

// Reads the whole of an open file into a new text that ends with a null character.
// Null if its size cannot be found by seeking (a pipe) or it cannot be read (a directory).
charRef leerArchivo(FILE *archivo) {
    if (fseek(archivo, 0, SEEK_END) != 0)
        return nullptr;
    const long posicion = ftell(archivo);
    if (posicion < 0 || posicion >= INT_MAX)  // the size is an int, with room for the null
        return nullptr;
    if (fseek(archivo, 0, SEEK_SET) != 0)  // unlike rewind, its failure can be seen
        return nullptr;
    const int longitudDelArchivo = static_cast<int>(posicion);

    charRef texto = static_cast<charRef>(malloc(longitudDelArchivo + 1));
    if (texto == nullptr) {
        puts("\nNo queda memoria libre");
        exit(1);
    }
    const size_t leidos = fread(texto, 1, longitudDelArchivo, archivo);
    if (ferror(archivo)) {
        free(texto);
        return nullptr;
    }
    texto[leidos] = '\0';  // a short read ends the text after what was read
    return texto;
}

}  // namespace

void abrir(GlobRef g) {
    charRef ruta = pedir("Escriba la ruta del archivo: ");
    free(g->nombreDelArchivo);
    g->nombreDelArchivo = ruta;  // kept even if the file cannot be read

    FILE *archivo = fopen(ruta, "r");
    if (archivo == nullptr) {
        avisarNoSePuedeLeer();
        return;
    }
    charRef texto = leerArchivo(archivo);
    fclose(archivo);
    if (texto == nullptr) {
        avisarNoSePuedeLeer();  // the previous text stays
        return;
    }
    free(g->contenidoDelArchivo);
    g->contenidoDelArchivo = texto;
}

void mostrar(GlobRef g) {
    if (g->contenidoDelArchivo == nullptr) {
        puts("\n\nArchivo vacío\n");
        return;
    }
    printf("\n\nContenido del archivo %s:\n\n%s\n\n", g->nombreDelArchivo, g->contenidoDelArchivo);
}
