// addrvalues: a pointer moved along an array steps by the size of one element.
#include <cinttypes>
#include <cstdint>
#include <cstdio>

int main() {
    int numeros[] = {1, 2, 3};
    int *p = numeros;

    printf("p = %" PRIuPTR " y *p = %d\n", reinterpret_cast<uintptr_t>(p), *p);
    p++;  // the next int, sizeof(int) bytes further on
    printf("p = %" PRIuPTR " y *p = %d\n", reinterpret_cast<uintptr_t>(p), *p);
    p++;
    printf("p = %" PRIuPTR " y *p = %d\n", reinterpret_cast<uintptr_t>(p), *p);
    return 0;
}
