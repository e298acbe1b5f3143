// convcall: converts a text to a double through a pointer to the conversion function.
#include <cstdio>
#include <cstdlib>

namespace {

// The value of the text as a real number.
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
