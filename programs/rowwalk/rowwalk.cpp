// rowwalk: the same records reached four ways: by index, pointer plus offset, moving pointer, terminator.
#include <cinttypes>
#include <cstdint>
#include <cstdio>

namespace {

// One person: names, age and height.
struct persona {
    char apellidos[30];
    char nombre[15];
    uint8_t edad;
    float talla;
};

// People in the list, the empty record after them not counted.
constexpr int numeroPersonas = 3;

// Three people and an empty record that marks the end of the list.
persona lista[numeroPersonas + 1] = {
    {"Telmar Valdo", "Primero", 19, 1.80f},
    {"Barandiel Barandiel", "Segundo", 17, 1.62f},
    {"Telmar Valdo", "Tercero", 19, 1.80f},
    {"", "", 0, 0.0f},
};

// Prints one record, preceded by its address as an unsigned number.
void imprimir(const persona *registro) {
    printf("%10" PRIuPTR "%30s%16s%4d%6.2f\n", reinterpret_cast<uintptr_t>(registro),
           registro->apellidos, registro->nombre, registro->edad, registro->talla);
}

}  // namespace

int main() {
    // By index.
    for (int i = 0; i < numeroPersonas; i++)
        imprimir(&lista[i]);
    putchar('\n');

    // By a fixed pointer plus an offset of i records.
    const persona *p = lista;
    for (int i = 0; i < numeroPersonas; i++)
        imprimir(p + i);
    putchar('\n');

    // By a pointer that moves on one record each turn.
    for (int i = 0; i < numeroPersonas; i++) {
        imprimir(p);
        p++;
    }
    putchar('\n');

    // Until the record whose surnames are empty, however many come before it.
    p = lista;
    while (p->apellidos[0] != '\0') {
        imprimir(p);
        p++;
    }
    putchar('\n');
    return 0;
}
