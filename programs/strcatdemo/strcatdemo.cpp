// strcatdemo: appends one text to another twice and shows the texts at each step.
#include <cstdio>
#include <cstring>

int main() {
    const char c1[] = "111111";
    const char c2[] = "222";
    char c3[10] = "";  // holds both appends: 6 + 3 characters and the null

    printf("Antes de strcat(c3,c1),: c1 = %s y c2 = %s\n", c1, c2);
    strcat(c3, c1);
    printf("Antes de strcat(c3,c2),: c1 = %s y c2 = %s\n", c1, c2);
    strcat(c3, c2);
    printf("\n\nLa concatenación de %s y %s es %s\n", c1, c2, c3);
    return 0;
}
