// pickone: asks with scanf for a whole number from 1 to 10 until it gets one.
#include <cstdio>
#include <cstdlib>

namespace {

// Drops what is left of the typed line, so a wrong answer is not read again.
void descartarLinea() {
    int c = getchar();
    while (c != '\n' && c != EOF)
        c = getchar();
}

// Judges what scanf returned: at end of input nothing more can come, so the program
// ends; an answer that is no number is thrown away with the rest of its line.
bool hayNumero(int leidos) {
    if (leidos == EOF)
        exit(1);
    if (leidos == 0) {
        descartarLinea();
        return false;
    }
    return true;
}

}  // namespace

int main() {
    // A long, read with %ld: a number too big for an int is then refused as too big,
    // instead of wrapping round to some number between 1 and 10.
    long respuesta = 0;

    printf("Deme un número entre 1 y 10: ");
    fflush(stdout);
    while (!hayNumero(scanf("%ld", &respuesta)) || respuesta <= 0 || respuesta > 10) {
        printf("Por favor, deme un número entre 1 y 10: ");
        fflush(stdout);
    }
    printf("\n\nEl número que ha escrito era el %ld\n\n", respuesta);
    return 0;
}
