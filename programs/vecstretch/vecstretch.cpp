// vecstretch: multiplies a vector of three reals by a factor read from the keyboard.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "utiles.h"

namespace {

constexpr int dimension = 3;          // coordinates of the vector
constexpr int longitudPregunta = 32;  // room for the prompt "v1[i] = "

// Returns a new heap vector, each coordinate times the factor; null without memory.
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

    // The product stays allocated until the program ends.
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
