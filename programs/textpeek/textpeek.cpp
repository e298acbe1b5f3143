// textpeek: a menu that reads a whole text file into memory and shows it on request.
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>

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

// The text of the file the path names, or null (after saying so) if it cannot be read.
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

// At end of input sgets gives empty lines for ever, and a last line that begins with a NUL
// looks the same: so look first whether one more character is there to read.
bool quedaEntrada() {
    fflush(stdout);  // the menu must be on the screen before we wait
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
    charRef texto = nullptr;  // the last file read; null while there is none

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
            texto = nuevoTexto;  // a failed open leaves no text at all
            free(ruta);
            break;
        }
        default:
            printf("\n\nOpción desconocida\n\n%c", '\a');
            break;
        }
    }
}
