// selftor: prints a word and then each of its characters with its code, the null included.
#include <cstdio>
#include <cstring>

int main() {
    const char palabra[] = "Selftortimorumenos";
    const int longitud = static_cast<int>(strlen(palabra));

    printf("\n\nCadena: %s\n\n", palabra);
    // Up to and including the length: the last character shown is the terminating null.
    for (int i = 0; i <= longitud; i++)
        printf("%c ---> %d\n", palabra[i], palabra[i]);
    return 0;
}
