// normxy: reads the coordinates of a plane vector and prints its magnitude.
#include <cmath>
#include <cstdio>

#include "utiles.h"

namespace {

// Magnitude of (x, y): squares and sum in single precision, the root taken in double.
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
