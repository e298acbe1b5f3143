// textpeek: menú que lee un archivo de texto entero en memoria y lo muestra cuando se pide
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>

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

// El texto del archivo de la ruta, o nulo (después de decirlo) si no se puede leer.
charRef abrir(const char *ruta) {
    FILE *archivo = fopen(ruta, "r");
    if (archivo == nullptr) {
        avisarNoSePuedeLeer();
        return nullptr;
    }
    charRef texto = leerArchivo(archivo);
    fclose(archivo);
    if (texto == nullptr)
        avisarNoSePuedeLeer();
    return texto;
}

// Al final de la entrada sgets da líneas vacías sin fin, y una última línea que empieza por
// un NUL parece lo mismo: por eso se mira antes si queda algún carácter por leer.
bool quedaEntrada() {
    fflush(stdout);  // el menú tiene que verse antes de esperar
    const int c = getchar();
    if (c == EOF)
        return false;
    ungetc(c, stdin);
    return true;
}

void mostrar(const char *texto) {
    puts(texto);
}

}  // namespace

int main() {
    const char *menu = "a) Abrir un fichero m) Mostrarlo en pantalla s) Salir";
    charRef texto = nullptr;  // el último archivo leído; nulo mientras no hay ninguno

    printf("\n\nVisor de archivos de texto\n==========================\n\n");
    for (;;) {
        printf("%s ", menu);
        if (!quedaEntrada()) {
            free(texto);
            return 1;
        }
        charRef linea = sgets();
        const int opcion = toupper(static_cast<unsigned char>(linea[0]));
        free(linea);

        switch (opcion) {
        case 'M':
            if (texto != nullptr)
                mostrar(texto);
            break;
        case 'S':
            puts("\n\nSaliendo...\n");
            free(texto);
            return 0;
        case 'A': {
            charRef ruta = pedir("Ruta del archivo:");
            charRef nuevoTexto = abrir(ruta);
            free(texto);
            texto = nuevoTexto;  // si no se pudo abrir, no queda ningún texto
            free(ruta);
            break;
        }
        default:
            printf("\n\nOpción desconocida\n\n%c", '\a');
            break;
        }
    }
}
