// lettersize: shows that every character, a blank and a newline too, takes the same size.
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
