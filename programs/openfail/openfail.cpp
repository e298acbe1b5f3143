// openfail: intenta abrir un archivo que no debería existir y muestra el motivo que da el sistema
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
    // errno se lee enseguida: cualquier llamada posterior puede cambiarlo.
    const char *motivo = strerror(errno);
    printf("\n\n%s\n\n", motivo);
    printf("\n\nError - no se pudo abrir el archivo %s.\n\n", nombre);
    return 0;
}
