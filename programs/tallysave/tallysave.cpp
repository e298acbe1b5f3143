// tallysave: guarda en lista.dat una lista de reales en la que cada elemento vale su posición
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int cuentaPorDefecto = 1000;  // elementos que se escriben si no se da la cuenta

// La cuenta dada en la línea de órdenes, truncada hacia cero; -1 si no sirve como cuenta
// (no es un número, es negativa, se sale del intervalo de int, es infinita o es NaN).
int leerCuenta(const char *argumento) {
    char *fin = nullptr;
    const double valor = trunc(strtod(argumento, &fin));
    if (fin == argumento || !(valor >= 0 && valor <= INT_MAX))
        return -1;
    return static_cast<int>(valor);
}

// No se pudo escribir la lista entera: se dice por qué, con el número del error.
void informarErrorEscritura() {
    printf("%d - %s\n", errno, strerror(errno));
}

}  // namespace

int main(int argc, char *argv[]) {
    int cuenta = cuentaPorDefecto;
    if (argc == 2) {
        cuenta = leerCuenta(argv[1]);
        if (cuenta < 0) {
            puts("\n\aNúmero incorrecto - saliendo\a\n");
            return 1;
        }
    }

    // malloc(0) puede no dar ningún bloque; eso no es falta de memoria.
    float *lista = static_cast<float *>(malloc(cuenta * sizeof(float)));
    if (lista == nullptr && cuenta > 0) {
        puts("\nNo queda memoria libre");
        return 1;
    }
    for (int i = 0; i < cuenta; ++i)
        lista[i] = static_cast<float>(i);

    FILE *archivo = fopen("lista.dat", "w");
    if (archivo == nullptr) {
        printf("%s", strerror(errno));
        return 2;
    }
    // Solo debe contar un error de esta escritura, no uno que dejara una llamada anterior.
    errno = 0;
    if (fwrite(lista, sizeof(float), cuenta, archivo) != static_cast<size_t>(cuenta)) {
        informarErrorEscritura();
        fclose(archivo);
        return 2;
    }
    // Los bytes del búfer salen en fclose: un disco lleno puede no notarse hasta aquí.
    if (fclose(archivo) != 0) {
        informarErrorEscritura();
        return 2;
    }
    puts("\nSe ha escrito el archivo lista.dat\n");
    return 0;
}
