// ageheight: reads an age and a height with scanf and prints them back.
// Its texts are Mac OS Roman bytes: í is 0x92 and ñ is 0x96. Each escape ends its
// string piece, so no following letter can be read as part of the number.
#include <cstdio>
#include <cstdlib>

namespace {

constexpr float centimetrosPorMetro = 100;

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

// Shows the prompt; it must be on the screen before scanf waits.
void preguntar(const char *pregunta) {
    printf("%s", pregunta);
    fflush(stdout);
}

}  // namespace

int main() {
    const char *preguntaEdad = "D\x92" "game su edad  (a\x96" "os)   : ";
    const char *preguntaTalla = "D\x92" "game su talla (metros) : ";
    long edad = 0;  // read with %ld: an age too big for an int is shown as typed, not wrapped
    float metros = 0;

    do {
        preguntar(preguntaEdad);
    } while (!hayNumero(scanf("%ld", &edad)));
    do {
        preguntar(preguntaTalla);
    } while (!hayNumero(scanf("%f", &metros)));

    const float centimetros = centimetrosPorMetro * metros;
    printf("Tiene usted %ld a\x96" "os y mide %4.2f cm.\n", edad, static_cast<double>(centimetros));
    return 0;
}
