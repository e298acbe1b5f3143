// persistb: dónde están las variables locales y cómo una static conserva su valor entre llamadas
#include <cstdio>

namespace {

// El argumento que pide a funcion las direcciones en lugar de los valores.
constexpr int verDirecciones = 333;

// Guarda un argumento distinto de cero en las dos locales y muestra sus direcciones o valores.
void funcion(int argumento) {
    int variableLocal = 0;                 // se crea de nuevo, con 0, en cada llamada
    static int variableLocalEstatica = 0;  // se inicia una vez, al arrancar; dura entre llamadas

    if (argumento != 0) {
        variableLocal = argumento;
        variableLocalEstatica = argumento;
    }
    if (argumento == verDirecciones) {
        // El parámetro y la local automática comparten el marco de la llamada en la pila;
        // la local static está con los datos globales del programa.
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
