// greeting: a two-line greeting with accented letters (UTF-8 text).
#include <cstdio>

int main() {
    puts("Hóla, Mundo!");
    puts("Hoy es Jüeves");
    return 0;
}
