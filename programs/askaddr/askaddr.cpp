// askaddr: lee un nombre y una dirección en tablas pequeñas y muestra dónde están las tablas
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <iterator>

namespace {

constexpr int longitudTexto = 5;  // cada tabla guarda un texto de 4 caracteres como mucho y su nulo

// Lee una línea escrita en destino y guarda lo que cabe junto al nulo. El resto de una línea
// más larga se descarta, para que la siguiente lectura empiece en la línea siguiente. Acabada
// la entrada, se lee una línea vacía.
void leerLinea(char *destino, size_t capacidad) {
    fflush(stdout);  // la pregunta debe verse en pantalla antes de esperar
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
    char muda[longitudTexto];  // muda y otra no se usan nunca: solo se muestran sus direcciones
    char otra[longitudTexto];

    printf("Escriba su nombre: ");
    leerLinea(nombre, std::size(nombre));
    printf("Escriba su dirección: ");
    leerLinea(direccion, std::size(direccion));

    printf("\n\nSu nombre es:    \"%s\"\n", nombre);
    printf("Su dirección es: \" %s\"\n", direccion);

    // Una dirección se escribe como un número sin signo tan ancho como un puntero.
    printf("\n\nLa dirección de \"nombre\" es %" PRIuPTR "\n", reinterpret_cast<uintptr_t>(nombre));
    printf("\n\nLa dirección de \"direccion\" es %" PRIuPTR "\n", reinterpret_cast<uintptr_t>(direccion));
    printf("\n\nLa dirección de \"muda\" es %" PRIuPTR "\n", reinterpret_cast<uintptr_t>(muda));
    printf("\n\nLa dirección de \"otra\" es %" PRIuPTR "\n", reinterpret_cast<uintptr_t>(otra));
    return 0;
}
