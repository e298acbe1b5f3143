// persista: an automatic local starts afresh on every call; a static local keeps its value.
#include <cstdio>

namespace {

// Stores a non-zero argument in both locals, then shows the argument and both locals.
void funcion(int argumento) {
    int variableLocal = 0;                 // created anew, with 0, on every call
    static int variableLocalEstatica = 0;  // set once when the program starts; survives calls

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
