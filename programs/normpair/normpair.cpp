// normpair: calcula el módulo de un vector del plano con una función f exportada junto a main
#include <cmath>
#include <cstdio>

#include "utiles.h"

// Este archivo exporta f junto a main; main la llama por este nombre externo.
float f(float x, float y);

// Módulo de (x, y): cuadrados y suma en precisión simple, la raíz en doble.
float f(float x, float y) {
    const float suma = x * x + y * y;
    return static_cast<float>(sqrt(static_cast<double>(suma)));
}

int main([[maybe_unused]] int numargumentos, [[maybe_unused]] char *palabras[]) {
    const float x = pedirFloat("Deme la coordenada x: ", -INFINITY, INFINITY);
    const float y = pedirFloat("Deme la coordenada y: ", -INFINITY, INFINITY);
    const float modulo = f(x, y);
    printf("\n\nEl módulo de (%4.2f, %4.2f) es %4.2f\n",
           static_cast<double>(x), static_cast<double>(y), static_cast<double>(modulo));
    return 0;
}
