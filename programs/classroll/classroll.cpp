// classroll: muestra cuatro fichas de alumno sueltas como una tabla con barras
#include <cstdint>
#include <cstdio>

namespace {

// Un alumno de la lista de clase.
struct ficha {
    char nombre[80];
    int16_t edad;
    char asignatura[40];
    float nota;
};

// Los cuatro alumnos, cada uno en una ficha propia.
ficha ficha_0 = {"Tavu Valdo", 19, "Programación", 6.5f};
ficha ficha_1 = {"Oxa Sorne", 18, "Algoritmia", 7.2f};
ficha ficha_2 = {"Belo Telmar", 20, "Programación", 5.1f};
ficha ficha_3 = {"Irsen Barandiel", 20, "Programación", 6.8f};

}  // namespace

int main() {
    const char formato[] = "|%-20s|%3d| %-15s|%4.1f|\n";

    puts("\n\nListado de clase\n================\n");
    printf(formato, ficha_0.nombre, ficha_0.edad, ficha_0.asignatura, ficha_0.nota);
    printf(formato, ficha_1.nombre, ficha_1.edad, ficha_1.asignatura, ficha_1.nota);
    printf(formato, ficha_2.nombre, ficha_2.edad, ficha_2.asignatura, ficha_2.nota);
    printf(formato, ficha_3.nombre, ficha_3.edad, ficha_3.asignatura, ficha_3.nota);
    return 0;
}
