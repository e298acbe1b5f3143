// addup: suma los elementos de una tabla fija, los enumera y muestra la suma
#include <cstdio>

namespace {

constexpr int numElementos = 10;  // la tabla tiene siempre diez números

}  // namespace

int main() {
    const int lista[numElementos] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    int suma = 0;

    printf("\nSuma de los elementos de una lista");
    puts("\n==================================\n");
    printf("Los elementos sumados son: ");
    for (int i = 0; i < numElementos; i++) {
        printf(" %d", lista[i]);
        suma += lista[i];
    }
    printf("\n\nLa suma es %d\n\n", suma);
    return 0;
}
