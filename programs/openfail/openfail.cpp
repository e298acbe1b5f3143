// openfail: tries to open a file that should not exist and shows the system's reason.
#include <cerrno>
#include <cstdio>
#include <cstring>

int main() {
    const char *nombre = "aeiouabcd1234";
    FILE *archivo = fopen(nombre, "r");
    if (archivo != nullptr) {
        puts("\n\nTerminación normal del programa.\n");
        fclose(archivo);
        return 0;
    }
    // Read errno at once: any later call may change it.
    const char *motivo = strerror(errno);
    printf("\n\n%s\n\n", motivo);
    printf("\n\nError - no se pudo abrir el archivo %s.\n\n", nombre);
    return 0;
}
