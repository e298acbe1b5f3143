// strcatdemo: añade dos veces un texto a otro con strcat y muestra los textos en cada paso
#include <cstdio>
#include <cstring>

int main() {
    const char c1[] = "111111";
    const char c2[] = "222";
    char c3[10] = "";  // caben los dos añadidos: 6 + 3 caracteres y el nulo

    printf("Antes de strcat(c3,c1),: c1 = %s y c2 = %s\n", c1, c2);
    strcat(c3, c1);
    printf("Antes de strcat(c3,c2),: c1 = %s y c2 = %s\n", c1, c2);
    strcat(c3, c2);
    printf("\n\nLa concatenación de %s y %s es %s\n", c1, c2, c3);
    return 0;
}
