// indirect: a store through a pointer changes the variable it points to.
#include <cstdio>

int main() {
    int m = 44;
    int *p = &m;

    printf("Antes de la operación, m = %d\n", m);
    *p = 55;
    printf("Después de la operación, m = %d\n", m);
    return 0;
}
