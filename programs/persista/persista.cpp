// persista: una local automática se crea de nuevo en cada llamada; una static conserva su valor
#include <cstdio>

namespace {

// Guarda un argumento distinto de cero en las dos locales y muestra el argumento y las dos.
void funcion(int argumento) {
    int variableLocal = 0;                 // se crea de nuevo, con 0, en cada llamada
    static int variableLocalEstatica = 0;  // se inicia una vez, al arrancar; dura entre llamadas

    if (argumento != 0) {
        variableLocal = argumento;
        variableLocalEstatica = argumento;
    }
    printf("En esta ejecución, argumento        = %d\n\n", argumento);
    printf("variableLocal                       = %d\n", variableLocal);
    printf("variableLocalEstatica               = %d\n", variableLocalEstatica);
}

}  // namespace

int main() {
    puts("Primera llamada");
    funcion(7);
    puts("Segunda llamada");
    funcion(0);
    puts("Tercera llamada");
    funcion(777);
    puts("Cuarta llamada");
    funcion(0);
    return 0;
}
