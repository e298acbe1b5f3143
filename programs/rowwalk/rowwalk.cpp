// rowwalk: recorre los mismos registros de cuatro maneras, con un índice y con punteros
// (índice, puntero fijo más desplazamiento, puntero que avanza y registro final vacío).
#include <cinttypes>
#include <cstdint>
#include <cstdio>

namespace {

// Una persona: apellidos, nombre, edad y talla.
struct persona {
    char apellidos[30];
    char nombre[15];
    uint8_t edad;
    float talla;
};

// Personas de la lista, sin contar el registro vacío que las sigue.
constexpr int numeroPersonas = 3;

// Tres personas y un registro vacío que marca el final de la lista.
persona lista[numeroPersonas + 1] = {
    {"Telmar Valdo", "Primero", 19, 1.80f},
    {"Barandiel Barandiel", "Segundo", 17, 1.62f},
    {"Telmar Valdo", "Tercero", 19, 1.80f},
    {"", "", 0, 0.0f},
};

// Muestra un registro, precedido de su dirección como número sin signo.
void imprimir(const persona *registro) {
    printf("%10" PRIuPTR "%30s%16s%4d%6.2f\n", reinterpret_cast<uintptr_t>(registro),
           registro->apellidos, registro->nombre, registro->edad, registro->talla);
}

}  // namespace

int main() {
    // Por índice.
    for (int i = 0; i < numeroPersonas; i++)
        imprimir(&lista[i]);
    putchar('\n');

    // Con un puntero fijo más un desplazamiento de i registros.
    const persona *p = lista;
    for (int i = 0; i < numeroPersonas; i++)
        imprimir(p + i);
    putchar('\n');

    // Con un puntero que avanza un registro en cada vuelta.
    for (int i = 0; i < numeroPersonas; i++) {
        imprimir(p);
        p++;
    }
    putchar('\n');

    // Hasta el registro de apellidos vacíos, vengan los que vengan antes.
    p = lista;
    while (p->apellidos[0] != '\0') {
        imprimir(p);
        p++;
    }
    putchar('\n');
    return 0;
}
