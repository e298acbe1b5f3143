// lettersize: muestra que todo carácter, también un blanco o un salto de línea, ocupa lo mismo
#include <cstdio>

int main() {
    char letra;

    letra = 'a';
    printf("La letra %c ocupa %zu bytes.\n", letra, sizeof letra);
    letra = '1';
    printf("La letra %c ocupa %zu bytes.\n", letra, sizeof letra);
    letra = ' ';
    printf("La letra %c ocupa %zu bytes.\n", letra, sizeof letra);
    letra = '\n';
    printf("La letra %c ocupa %zu bytes.\n", letra, sizeof letra);
    return 0;
}
