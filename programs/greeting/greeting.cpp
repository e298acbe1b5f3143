// greeting: muestra un saludo de dos líneas con letras acentuadas (texto UTF-8)
#include <cstdio>

int main() {
    puts("Hóla, Mundo!");
    puts("Hoy es Jüeves");
    return 0;
}
