// classtable: rellena campo a campo una tabla local de fichas de alumno y la muestra en columnas
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// Un alumno de la lista de clase.
struct ficha {
    char nombre[80];
    int16_t edad;
    char asignatura[40];
    float nota;
};

// Alumnos de la lista de clase.
constexpr int numeroAlumnos = 4;

}  // namespace

int main() {
    const char formato[] = "%-20s%3d %-15s%4.1f\n";
    ficha clase[numeroAlumnos];

    // Primero a cero: los bytes de cada texto después de su final se quedan a cero.
    memset(clase, 0, sizeof clase);
    strcpy(clase[0].nombre, "Tavu Valdo");
    clase[0].edad = 19;
    strcpy(clase[0].asignatura, "Programación");
    clase[0].nota = 6.5f;
    strcpy(clase[1].nombre, "Oxa Sorne");
    clase[1].edad = 18;
    strcpy(clase[1].asignatura, "Algoritmia");
    clase[1].nota = 7.2f;
    strcpy(clase[2].nombre, "Belo Telmar");
    clase[2].edad = 20;
    strcpy(clase[2].asignatura, "Programación");
    clase[2].nota = 5.1f;
    strcpy(clase[3].nombre, "Irsen Barandiel");
    clase[3].edad = 20;
    strcpy(clase[3].asignatura, "Programación");
    clase[3].nota = 6.8f;

    puts("\n\nListado de clase\n================\n");
    for (int i = 0; i < numeroAlumnos; i++)
        printf(formato, clase[i].nombre, clase[i].edad, clase[i].asignatura, clase[i].nota);
    return 0;
}
