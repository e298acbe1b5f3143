// tallysave: stores in lista.dat a list of reals in which every element holds its own position.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int cuentaPorDefecto = 1000;  // elements written when no count is given

// The count given on the command line, truncated toward zero; -1 when it is no usable count
// (no number, negative, beyond the int range, infinite or not a number).
int leerCuenta(const char *argumento) {
    char *fin = nullptr;
    const double valor = trunc(strtod(argumento, &fin));
    if (fin == argumento || !(valor >= 0 && valor <= INT_MAX))
        return -1;
    return static_cast<int>(valor);
}

// The list could not be written whole: say why, with the error's number.
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

    // malloc(0) may give no block at all; that is no lack of memory.
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
    // Only an error of this write may be reported, not one left by an earlier call.
    errno = 0;
    if (fwrite(lista, sizeof(float), cuenta, archivo) != static_cast<size_t>(cuenta)) {
        informarErrorEscritura();
        fclose(archivo);
        return 2;
    }
    // Buffered bytes go out at fclose: a full disk may only show here.
    if (fclose(archivo) != 0) {
        informarErrorEscritura();
        return 2;
    }
    puts("\nSe ha escrito el archivo lista.dat\n");
    return 0;
}
