// wordsave: muestra cinco palabras y las guarda en un archivo de cadenas, cada una acabada en NUL
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "utiles.h"

namespace {

// Las palabras que se guardan; el puntero nulo cierra la lista.
const char *const palabras[] = {"Ivey", "had", "a", "little", "sheep", nullptr};

// Dice con un pitido por qué no se puede escribir el archivo, y termina el programa.
[[noreturn]] void terminarPorArchivo(int error) {
    printf("\n%s\n\a", strerror(error));
    exit(1);
}

}  // namespace

int main() {
    puts("\nLas cadenas escritas son estas:\n");
    for (int i = 0; palabras[i] != nullptr; ++i)
        puts(palabras[i]);

    charRef nombreArchivo = pedir("\n¿Cual es el archivo de salida? ");
    FILE *archivo = fopen(nombreArchivo, "w");
    if (archivo == nullptr)
        terminarPorArchivo(errno);
    free(nombreArchivo);

    int escritas = 0;
    for (; palabras[escritas] != nullptr; ++escritas) {
        // El NUL también va al archivo: es lo que allí separa las cadenas.
        const size_t bytes = strlen(palabras[escritas]) + 1;
        if (fwrite(palabras[escritas], 1, bytes, archivo) != bytes) {
            const int error = errno;
            fclose(archivo);
            terminarPorArchivo(error);
        }
    }
    // Lo que queda en el búfer solo llega al archivo al cerrarlo: eso también puede fallar.
    if (fclose(archivo) != 0)
        terminarPorArchivo(errno);

    printf("\nSe han escrito %d cadenas.\n\n", escritas);
    return 0;
}
