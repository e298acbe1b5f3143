// textwalk: four ways to walk a text, by index and by pointer.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>

int main() {
    char texto[] = "Hola, Mundo\n";  // 12 characters and the NUL: 13 bytes
    char *p = texto;

    // 1. An index on the array.
    for (size_t i = 0; i < strlen(texto); i++)
        putchar(texto[i]);
    putchar('\n');

    // 2. An index on a pointer to the array: p[i] is *(p + i).
    for (size_t i = 0; i < strlen(texto); i++)
        putchar(p[i]);
    putchar('\n');

    // 3. A pointer that moves on, counted; it has passed the character when it is shown.
    for (size_t i = 0; i < strlen(texto); i++) {
        const char c = *p++;
        printf("p = %" PRIuPTR ", c = %c\n", reinterpret_cast<uintptr_t>(p), c);
    }
    putchar('\n');

    // 4. A pointer that moves on until it meets the NUL that ends the text.
    p = texto;
    while (*p != '\0') {
        const char c = *p++;
        printf("p = %p, c = %c\n", static_cast<void *>(p), c);
    }
    putchar('\n');
    return 0;
}
