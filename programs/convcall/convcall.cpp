// convcall: convierte un texto en double a través de un puntero a la función de conversión
#include <cstdio>
#include <cstdlib>

namespace {

// El valor del texto como número real.
double fun(const char *texto) {
    return strtod(texto, nullptr);
}

}  // namespace

int main() {
    const char texto[] = "3.141592";
    double (*conversion)(const char *) = fun;

    printf("La cadena %s convertida en double es %10.5lf\n", texto, conversion(texto));
    return 0;
}
