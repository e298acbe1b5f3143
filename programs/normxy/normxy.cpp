// normxy: lee las coordenadas de un vector del plano y muestra su módulo
#include <cmath>
#include <cstdio>

#include "utiles.h"

namespace {

// Módulo de (x, y): cuadrados y suma en precisión simple, la raíz en doble.
float f(float x, float y) {
    const float suma = x * x + y * y;
    return static_cast<float>(sqrt(static_cast<double>(suma)));
}

}  // namespace

int main() {
    const float x = pedirFloat("Deme la coordenada x: ", -INFINITY, INFINITY);
    const float y = pedirFloat("Deme la coordenada y: ", -INFINITY, INFINITY);
    const float modulo = f(x, y);
    printf("\n\nEl módulo de (%4.2f, %4.2f) es %4.2f\n",
           static_cast<double>(x), static_cast<double>(y), static_cast<double>(modulo));
    return 0;
}
