// textwalk: recorre un texto de cuatro maneras, con un índice y con un puntero
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>

int main() {
    char texto[] = "Hola, Mundo\n";  // 12 caracteres y el NUL: 13 bytes
    char *p = texto;

    // 1. Un índice sobre la tabla.
    for (size_t i = 0; i < strlen(texto); i++)
        putchar(texto[i]);
    putchar('\n');

    // 2. Un índice sobre un puntero a la tabla: p[i] es *(p + i).
    for (size_t i = 0; i < strlen(texto); i++)
        putchar(p[i]);
    putchar('\n');

    // 3. Un puntero que avanza, con cuenta; cuando se muestra, ya ha pasado el carácter.
    for (size_t i = 0; i < strlen(texto); i++) {
        const char c = *p++;
        printf("p = %" PRIuPTR ", c = %c\n", reinterpret_cast<uintptr_t>(p), c);
    }
    putchar('\n');

    // 4. Un puntero que avanza hasta dar con el NUL que termina el texto.
    p = texto;
    while (*p != '\0') {
        const char c = *p++;
        printf("p = %p, c = %c\n", static_cast<void *>(p), c);
    }
    putchar('\n');
    return 0;
}
