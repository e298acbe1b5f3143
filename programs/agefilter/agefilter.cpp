// agefilter: lists only the students whose age reaches a minimum typed by the user.
#include <cstdint>
#include <cstdio>

namespace {

// One student of the class list.
struct ficha {
    char nombre[80];
    int16_t edad;
    char asignatura[40];
    float nota;
};

// Students in the class list.
constexpr int numeroAlumnos = 4;

// The class, initialised when the program is loaded.
ficha lista[numeroAlumnos] = {
    {"Tavu Valdo", 19, "Programación", 6.5f},
    {"Oxa Sorne", 18, "Algoritmia", 7.2f},
    {"Belo Telmar", 20, "Programación", 5.1f},
    {"Irsen Barandiel", 20, "Programación", 6.8f},
};

}  // namespace

int main() {
    const char formato[] = "%-20s%3d %-15s%4.1f\n";
    // A long, read with %ld: a minimum too big for an int stays too big for every age,
    // instead of wrapping round to some small number.
    long edadMinima = 0;

    puts("\n\nListado de clase\n================\n");
    printf("\n\nPor favor, escriba la edad mínima: ");
    fflush(stdout);
    // No number read (a letter, or input ended): the minimum stays 0 and all are listed.
    if (scanf("%ld", &edadMinima) != 1)
        edadMinima = 0;

    puts("\n\nListado de alumnos que superan la edad mínima\n");
    for (int i = 0; i < numeroAlumnos; i++)
        if (lista[i].edad >= edadMinima)
            printf(formato, lista[i].nombre, lista[i].edad, lista[i].asignatura, lista[i].nota);
    return 0;
}
