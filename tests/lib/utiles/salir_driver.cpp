// Drives salir, the one prompt of utiles that no course program calls, so that transcript
// cases check its dialogue, its prompt flush included.
#include <cstdio>

#include "utiles.h"

int main() {
    char seguir = 1;
    salir(&seguir);
    printf("\nseguir = %d\n", seguir);
    return 0;
}
