// vecstretch: multiplica un vector de tres reales por un factor leído del teclado
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "utiles.h"

namespace {

constexpr int dimension = 3;          // coordenadas del vector
constexpr int longitudPregunta = 32;  // sitio para la pregunta "v1[i] = "

// Devuelve un vector nuevo en memoria dinámica, cada coordenada por el factor; nulo sin memoria.
float *vecstretch(const float *vector, float factor) {
    float *producto = static_cast<float *>(malloc(dimension * sizeof(float)));
    if (producto == nullptr)
        return nullptr;
    for (int i = 0; i < dimension; i++)
        producto[i] = vector[i] * factor;
    return producto;
}

}  // namespace

int main() {
    float v1[dimension];
    char pregunta[longitudPregunta];

    puts("\n\nProducto de un vector por un escalar\n====================================\n");
    puts("Coordenadas del vector:\n");
    for (int i = 0; i < dimension; i++) {
        snprintf(pregunta, sizeof pregunta, "v1[%d] = ", i);
        v1[i] = pedirFloat(pregunta, -INFINITY, INFINITY);
    }
    const float factor = pedirFloat("Valor del factor: ", -INFINITY, INFINITY);

    // El producto sigue reservado hasta que termina el programa.
    const float *producto = vecstretch(v1, factor);
    if (producto == nullptr) {
        puts("\nNo queda memoria libre");
        return 1;
    }
    printf("\n\n%6.2f X (%6.2f, %6.2f, %6.2f) = (%6.2f, %6.2f, %6.2f) \n\n",
           static_cast<double>(factor),
           static_cast<double>(v1[0]), static_cast<double>(v1[1]), static_cast<double>(v1[2]),
           static_cast<double>(producto[0]), static_cast<double>(producto[1]),
           static_cast<double>(producto[2]));
    return 0;
}
