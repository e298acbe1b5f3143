// pickone: pide con scanf un número entero del 1 al 10 hasta que lo obtiene
#include <cstdio>
#include <cstdlib>

namespace {

// Descarta lo que queda de la línea tecleada, para no leer otra vez una respuesta errónea.
void descartarLinea() {
    int c = getchar();
    while (c != '\n' && c != EOF)
        c = getchar();
}

// Juzga lo que devolvió scanf: al final de la entrada ya no puede llegar nada más, así que el
// programa termina; una respuesta que no es un número se descarta con el resto de su línea.
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
    // Un long, leído con %ld: así un número demasiado grande para un int se rechaza por
    // grande, en vez de dar la vuelta y caer en algún número entre 1 y 10.
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
