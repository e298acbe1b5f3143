// agefilter: lista solo los alumnos cuya edad llega a un mínimo que escribe el usuario
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

// Alumnos de la lista de clase.
constexpr int numeroAlumnos = 4;

// La clase, con sus valores ya puestos al cargarse el programa.
ficha lista[numeroAlumnos] = {
    {"Tavu Valdo", 19, "Programación", 6.5f},
    {"Oxa Sorne", 18, "Algoritmia", 7.2f},
    {"Belo Telmar", 20, "Programación", 5.1f},
    {"Irsen Barandiel", 20, "Programación", 6.8f},
};

}  // namespace

int main() {
    const char formato[] = "%-20s%3d %-15s%4.1f\n";
    // Un long, leído con %ld: un mínimo demasiado grande para un int sigue siendo demasiado
    // grande para toda edad, en vez de dar la vuelta y quedarse en un número pequeño.
    long edadMinima = 0;

    puts("\n\nListado de clase\n================\n");
    printf("\n\nPor favor, escriba la edad mínima: ");
    fflush(stdout);
    // Sin número (una letra, o se acabó la entrada): el mínimo se queda en 0 y salen todos.
    if (scanf("%ld", &edadMinima) != 1)
        edadMinima = 0;

    puts("\n\nListado de alumnos que superan la edad mínima\n");
    for (int i = 0; i < numeroAlumnos; i++)
        if (lista[i].edad >= edadMinima)
            printf(formato, lista[i].nombre, lista[i].edad, lista[i].asignatura, lista[i].nota);
    return 0;
}
