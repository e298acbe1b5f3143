// fieldaddrs: muestra la dirección de cada campo de cada registro, para ver su sitio en memoria
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

// Registros de la lista.
constexpr int numeroRegistros = 17;

// Los registros cuyos campos se localizan; su contenido no se muestra nunca.
persona lista[numeroRegistros] = {
    {"Telmar Valdo", "Tavu", 19, 1.80f},
    {"Barandiel Barandiel", "Oxa", 17, 1.62f},
    {"Telmar Valdo", "Tavu", 19, 1.80f},
    {"Barandiel Barandiel", "Oxa", 17, 1.62f},
    {"Barandiel Valdo", "Oxa", 17, 1.62f},
    {"Telmar Valdo", "Tavu", 19, 1.80f},
    {"Barandiel Barandiel", "Oxa", 17, 1.62f},
    {"Castrejon Valdo", "Tavu", 19, 1.80f},
    {"Telmar Valdo", "Tavu", 19, 1.80f},
    {"Barandiel Barandiel", "Oxa", 17, 1.62f},
    {"Telmar Valdo", "Tavu", 19, 1.80f},
    {"Barandiel Barandiel", "Oxa", 17, 1.62f},
    {"Barandiel Barandiel", "Oxa", 17, 1.62f},
    {"Telmar Valdo", "Tavu", 19, 1.80f},
    {"Barandiel Castrejon", "Oxa", 17, 1.62f},
    {"Mirlan Valdo", "Tavu", 19, 1.80f},
    {"Sorne Sorne", "Ormand", 22, 1.78f},
};

// Una dirección como el número sin signo que es.
uintptr_t direccion(const void *p) {
    return reinterpret_cast<uintptr_t>(p);
}

}  // namespace

int main() {
    printf("%-11s%-31s%-16s%-11s%-11s\n", "Registro", "&apellidos", "&nombre", "&edad", "&talla");
    puts("+---------+-----------------------------+--------------+---------+---------+");
    for (int i = 0; i < numeroRegistros; i++)
        printf("%10d%30" PRIuPTR "%15" PRIuPTR "%10" PRIuPTR "%10" PRIuPTR "\n", i,
               direccion(lista[i].apellidos), direccion(lista[i].nombre),
               direccion(&lista[i].edad), direccion(&lista[i].talla));
    return 0;
}
