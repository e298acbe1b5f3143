// stepper: reaching each element of an array from one fixed pointer plus an offset.
#include <cstdio>

int main() {
    int numeros[] = {1, 2, 3};
    const int *p = numeros;  // stays on the first element

    printf("*p = %d\n", *p);
    printf("*p = %d\n", *(p + 1));
    printf("*p = %d\n", *(p + 2));
    return 0;
}
