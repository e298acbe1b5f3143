// joinnamesb: une apellidos y nombre en un búfer de memoria dinámica del tamaño justo
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main() {
    const char nombre[] = "Tavu";
    const char apellidos[] = "Valdo Sorne";

    // Los apellidos, ", ", el nombre y el nulo final.
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
