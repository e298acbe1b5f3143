// wordsave: shows five words and stores them in a string file, each ended by a NUL byte.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "utiles.h"

namespace {

// The words to store; the null pointer ends the list.
const char *const palabras[] = {"Ivey", "had", "a", "little", "sheep", nullptr};

// Says why the file cannot be written, with a bell, and ends the program.
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
        // The NUL goes to the file too: it is what separates the strings there.
        const size_t bytes = strlen(palabras[escritas]) + 1;
        if (fwrite(palabras[escritas], 1, bytes, archivo) != bytes) {
            const int error = errno;
            fclose(archivo);
            terminarPorArchivo(error);
        }
    }
    // What is still buffered reaches the file only when it is closed: that can fail too.
    if (fclose(archivo) != 0)
        terminarPorArchivo(errno);

    printf("\nSe han escrito %d cadenas.\n\n", escritas);
    return 0;
}
