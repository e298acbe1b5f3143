// askaddr: reads a name and an address into small arrays and shows where the arrays lie.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <iterator>

namespace {

constexpr int longitudTexto = 5;  // each array holds a text of at most 4 characters and its null

// Reads one typed line into destino, keeping what fits beside the null. The rest of a longer
// line is discarded, so the next read starts on the next line. End of input reads as empty.
void leerLinea(char *destino, size_t capacidad) {
    fflush(stdout);  // the prompt must be on the screen before we wait
    size_t guardados = 0;
    int c;
    while ((c = getchar()) != EOF && c != '\n') {
        if (guardados + 1 < capacidad)
            destino[guardados++] = static_cast<char>(c);
    }
    destino[guardados] = '\0';
}

}  // namespace

int main() {
    char nombre[longitudTexto];
    char direccion[longitudTexto];
    char muda[longitudTexto];  // muda and otra are never used: only their addresses are shown
    char otra[longitudTexto];

    printf("Escriba su nombre: ");
    leerLinea(nombre, std::size(nombre));
    printf("Escriba su dirección: ");
    leerLinea(direccion, std::size(direccion));

    printf("\n\nSu nombre es:    \"%s\"\n", nombre);
    printf("Su dirección es: \" %s\"\n", direccion);

    // An address is printed as an unsigned number as wide as a pointer.
    printf("\n\nLa dirección de \"nombre\" es %" PRIuPTR "\n", reinterpret_cast<uintptr_t>(nombre));
    printf("\n\nLa dirección de \"direccion\" es %" PRIuPTR "\n", reinterpret_cast<uintptr_t>(direccion));
    printf("\n\nLa dirección de \"muda\" es %" PRIuPTR "\n", reinterpret_cast<uintptr_t>(muda));
    printf("\n\nLa dirección de \"otra\" es %" PRIuPTR "\n", reinterpret_cast<uintptr_t>(otra));
    return 0;
}
