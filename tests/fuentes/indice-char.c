#include <stdio.h>

int main(void) {
    int veces[256] = {0};
    const char *texto = "123";
    for (int i = 0; texto[i] != '\0'; i++) {
        char c = texto[i];
        veces[c]++;
    }
    printf("\n\nLa suma de 1, 2 y 3 es %d\n\n", veces['1'] + veces['2'] * 2 + veces['3'] * 3);
    return 0;
}
