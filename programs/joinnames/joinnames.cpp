// joinnames: joins surnames and a given name into one text in a fixed array.
#include <cstdio>
#include <cstring>

int main() {
    const char nombre[] = "Tavu";
    const char apellidos[] = "Valdo Sorne";
    char resultado[80] = "";  // room enough for both texts and the separator

    strcat(resultado, apellidos);
    strcat(resultado, ", ");
    strcat(resultado, nombre);

    puts("\n\nConcatenación\n=============\n");
    printf("%s %s da lugar a %s\n\n", nombre, apellidos, resultado);
    return 0;
}
