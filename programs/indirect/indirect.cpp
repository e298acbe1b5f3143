// indirect: muestra que guardar un valor a través de un puntero cambia la variable a la que apunta
#include <cstdio>

int main() {
    int m = 44;
    int *p = &m;

    printf("Antes de la operación, m = %d\n", m);
    *p = 55;
    printf("Después de la operación, m = %d\n", m);
    return 0;
}
