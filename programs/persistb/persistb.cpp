// persistb: where locals live, and how a static local keeps its value between calls.
#include <cstdio>

namespace {

// The argument that asks funcion for the addresses instead of the values.
constexpr int verDirecciones = 333;

// Stores a non-zero argument in both locals, then shows their addresses or their values.
void funcion(int argumento) {
    int variableLocal = 0;                 // created anew, with 0, on every call
    static int variableLocalEstatica = 0;  // set once when the program starts; survives calls

    if (argumento != 0) {
        variableLocal = argumento;
        variableLocalEstatica = argumento;
    }
    if (argumento == verDirecciones) {
        // The parameter and the automatic local share the call's stack frame; the static
        // local lies with the program's global data.
        puts("\nDirecciones de las variables locales\n");
        printf("La dirección de argumento es              %p\n",
               static_cast<void *>(&argumento));
        printf("La dirección de variableLocal es          %p\n",
               static_cast<void *>(&variableLocal));
        printf("La dirección de variableLocalEstatica es  %p\n",
               static_cast<void *>(&variableLocalEstatica));
        return;
    }
    printf("\nEn esta ejecución, argumento          = %d\n\n", argumento);
    printf("variableLocal                         = %d\n", variableLocal);
    printf("variableLocalEstatica                 = %d\n", variableLocalEstatica);
}

}  // namespace

int main() {
    funcion(verDirecciones);
    puts("\n->Primera llamada");
    funcion(7);
    puts("\n->Segunda llamada");
    funcion(0);
    puts("\n->Tercera llamada");
    funcion(777);
    puts("Cuarta llamada");
    funcion(0);
    return 0;
}
