#include <stdio.h>

#include <wuna/utiles.h>

int main(void) {
    int tres = pedirInt("", 3, 3);
    printf("\n\nLa suma de 1, 2 y %d es %d\n\n", tres, 3 + tres);
    return 0;
}
