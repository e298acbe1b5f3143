// opciones: manejadores de menú que leen un archivo de texto entero y lo muestran
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "opciones.h"
#include "utiles.h"

namespace {

// El mismo aviso para un archivo que no se puede abrir y para uno que no se puede leer.
void avisarNoSePuedeLeer() {
    puts("\n\nNo se puede leer el archivo, o el archivo está vacío.\n");
}

// Lee entero un archivo abierto en un texto nuevo acabado en el carácter nulo. Da nulo si no
// se puede saber su tamaño yendo al final (una tubería) o no se puede leer (un directorio).
charRef leerArchivo(FILE *archivo) {
    if (fseek(archivo, 0, SEEK_END) != 0)
        return nullptr;
    const long posicion = ftell(archivo);
    if (posicion < 0 || posicion >= INT_MAX)  // el tamaño es un int, con sitio para el nulo
        return nullptr;
    if (fseek(archivo, 0, SEEK_SET) != 0)  // a diferencia de rewind, su fallo se ve
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
    texto[leidos] = '\0';  // si se leyó menos, el texto acaba tras lo leído
    return texto;
}

}  // namespace

void abrir(GlobRef g) {
    charRef ruta = pedir("Escriba la ruta del archivo: ");
    free(g->nombreDelArchivo);
    g->nombreDelArchivo = ruta;  // se guarda aunque el archivo no se pueda leer

    FILE *archivo = fopen(ruta, "r");
    if (archivo == nullptr) {
        avisarNoSePuedeLeer();
        return;
    }
    charRef texto = leerArchivo(archivo);
    fclose(archivo);
    if (texto == nullptr) {
        avisarNoSePuedeLeer();  // se queda el texto anterior
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
