#include <stdio.h>

struct fecha {
    int dia, mes, anio;
};

struct persona {
    int edad
    struct fecha nacimiento;
};

int main(void) {
    struct persona p = {6, {1, 2, 3}};
    printf("\n\nLa suma de 1, 2 y 3 es %d\n\n", p.edad);
    return 0;
}
