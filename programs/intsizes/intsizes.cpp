// intsizes: muestra cuántos bytes ocupa una variable de cada tipo entero en esta plataforma
#include <cstdio>

int main() {
    short unShort = 0;
    unsigned short unUnsignedShort = 0;
    int unInt = 0;
    unsigned int unUnsignedInt = 0;
    long unLong = 0;
    unsigned long unUnsignedLong = 0;
    long long unLongLong = 0;
    unsigned long long unUnsignedLongLong = 0;

    puts("\nTipos numéricos enteros - espacio ocupado por una variable");
    puts("==========================================================\n");
    // sizeof da un size_t, que se escribe con %zu.
    printf("unShort ocupa                %zu bytes\n", sizeof unShort);
    printf("unUnsignedShort ocupa        %zu bytes\n", sizeof unUnsignedShort);
    printf("unInt ocupa                  %zu bytes\n", sizeof unInt);
    printf("unUnsignedInt ocupa          %zu bytes\n", sizeof unUnsignedInt);
    printf("unLong ocupa                 %zu bytes\n", sizeof unLong);
    printf("unUnsignedLong ocupa         %zu bytes\n", sizeof unUnsignedLong);
    printf("unLongLong ocupa             %zu bytes\n", sizeof unLongLong);
    printf("unUnsignedLongLong ocupa     %zu bytes\n\n", sizeof unUnsignedLongLong);
    return 0;
}
