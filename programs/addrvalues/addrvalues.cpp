// addrvalues: muestra que un puntero avanza por una tabla el tamaño de un elemento en cada paso
#include <cinttypes>
#include <cstdint>
#include <cstdio>

int main() {
    int numeros[] = {1, 2, 3};
    int *p = numeros;

    printf("p = %" PRIuPTR " y *p = %d\n", reinterpret_cast<uintptr_t>(p), *p);
    p++;  // el int siguiente, sizeof(int) bytes más allá
    printf("p = %" PRIuPTR " y *p = %d\n", reinterpret_cast<uintptr_t>(p), *p);
    p++;
    printf("p = %" PRIuPTR " y *p = %d\n", reinterpret_cast<uintptr_t>(p), *p);
    return 0;
}
