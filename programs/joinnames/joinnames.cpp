// joinnames: une apellidos y nombre en un solo texto dentro de una tabla fija
#include <cstdio>
#include <cstring>

int main() {
    const char nombre[] = "Tavu";
    const char apellidos[] = "Valdo Sorne";
    char resultado[80] = "";  // sitio de sobra para los dos textos y el separador

    strcat(resultado, apellidos);
    strcat(resultado, ", ");
    strcat(resultado, nombre);

    puts("\n\nConcatenación\n=============\n");
    printf("%s %s da lugar a %s\n\n", nombre, apellidos, resultado);
    return 0;
}
