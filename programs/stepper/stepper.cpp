// stepper: llega a cada elemento de una tabla con un puntero fijo más un desplazamiento
#include <cstdio>

int main() {
    int numeros[] = {1, 2, 3};
    const int *p = numeros;  // se queda en el primer elemento

    printf("*p = %d\n", *p);
    printf("*p = %d\n", *(p + 1));
    printf("*p = %d\n", *(p + 2));
    return 0;
}
