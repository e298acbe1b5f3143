// selftor: muestra una palabra y luego cada uno de sus caracteres con su código, nulo incluido
#include <cstdio>
#include <cstring>

int main() {
    const char palabra[] = "Selftortimorumenos";
    const int longitud = static_cast<int>(strlen(palabra));

    printf("\n\nCadena: %s\n\n", palabra);
    // Hasta la longitud incluida: el último carácter que se muestra es el nulo final.
    for (int i = 0; i <= longitud; i++)
        printf("%c ---> %d\n", palabra[i], palabra[i]);
    return 0;
}
