// joinnamesb: joins surnames and a given name into a heap buffer of exactly the size needed.
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main() {
    const char nombre[] = "Tavu";
    const char apellidos[] = "Valdo Sorne";

    // The surnames, ", ", the name and the terminating null.
    const int tamano = static_cast<int>(strlen(nombre) + 2 + strlen(apellidos) + 1);
    char *resultado = static_cast<char *>(malloc(tamano));
    if (resultado == nullptr) {
        puts("\nNo queda memoria libre");
        return 1;
    }
    resultado[0] = '\0';

    strcat(resultado, apellidos);
    strcat(resultado, ", ");
    strcat(resultado, nombre);

    puts("\n\nConcatenación\n=============\n");
    printf("%s %s da lugar a %s\n\n", nombre, apellidos, resultado);
    return 0;
}
