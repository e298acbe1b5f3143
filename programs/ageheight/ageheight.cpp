// ageheight: lee con scanf una edad y una talla en metros, y las muestra con la talla en cm
// Sus textos son bytes de Mac OS Roman: la í es 0x92 y la ñ es 0x96. Cada escape cierra su
// trozo de cadena, para que ninguna letra que le siga pueda leerse como parte del número.
#include <cstdio>
#include <cstdlib>

namespace {

constexpr float centimetrosPorMetro = 100;

// Descarta lo que queda de la línea escrita, para que una respuesta errónea no se lea otra vez.
void descartarLinea() {
    int c = getchar();
    while (c != '\n' && c != EOF)
        c = getchar();
}

// Juzga lo que devolvió scanf: acabada la entrada ya no puede llegar nada más, así que el
// programa termina; una respuesta que no es un número se tira con el resto de su línea.
bool hayNumero(int leidos) {
    if (leidos == EOF)
        exit(1);
    if (leidos == 0) {
        descartarLinea();
        return false;
    }
    return true;
}

// Muestra la pregunta, que debe verse en pantalla antes de que scanf espere.
void preguntar(const char *pregunta) {
    printf("%s", pregunta);
    fflush(stdout);
}

}  // namespace

int main() {
    const char *preguntaEdad = "D\x92" "game su edad  (a\x96" "os)   : ";
    const char *preguntaTalla = "D\x92" "game su talla (metros) : ";
    long edad = 0;  // con %ld: una edad que no cabe en un int sale tal cual, sin dar la vuelta
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
