// utiles: lectura de líneas, preguntas y números comprobados en un rango para la consola
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "utiles.h"

namespace {

constexpr int longitudLinea = 1024;     // una línea guarda como mucho 1023 caracteres
constexpr int longitudRespuesta = 64;   // salir lee su respuesta en trozos de 63

// Sin memoria ningún programa del curso puede seguir: lo dice y termina.
void *reservar(size_t bytes) {
    void *memoria = malloc(bytes);
    if (memoria == nullptr) {
        printf("\nNo queda memoria libre\n");
        exit(1);
    }
    return memoria;
}

// Lee la línea siguiente en un búfer nuevo, sin su salto de línea; nulo si se acabó la entrada.
charRef leerLinea() {
    charRef linea = static_cast<charRef>(reservar(longitudLinea));
    fflush(stdout);  // la pregunta debe verse en pantalla antes de esperar
    if (fgets(linea, longitudLinea, stdin) == nullptr) {
        free(linea);
        return nullptr;
    }
    char *nuevaLinea = strchr(linea, '\n');
    if (nuevaLinea != nullptr)
        *nuevaLinea = '\0';
    return linea;
}

// Acabada la entrada, las preguntas de números se repetirían sin fin: el programa termina.
charRef pedirOTerminar(const char *prompt) {
    printf("%s ", prompt);
    charRef linea = leerLinea();
    if (linea == nullptr)
        exit(1);
    return linea;
}

charRef pedirConRangoReal(const char *prompt, double min, double max) {
    printf("(%.2f <= x <= %.2f) ", min, max);
    return pedirOTerminar(prompt);
}

}  // namespace

charRef sgets(void) {
    charRef linea = leerLinea();
    if (linea == nullptr) {
        linea = static_cast<charRef>(reservar(longitudLinea));
        linea[0] = '\0';
    }
    return linea;
}

charRef pedir(const char *prompt) {
    printf("%s ", prompt);
    return sgets();
}

int pedirInt(const char *prompt, int min, int max) {
    for (;;) {
        printf("(%d <= x <= %d) ", min, max);
        charRef linea = pedirOTerminar(prompt);
        char *finDelNumero = nullptr;
        long valor = strtol(linea, &finDelNumero, 10);
        const bool hayNumero = finDelNumero != linea;
        free(linea);

        // Un número fuera del rango de 32 bits cuenta como el límite que ha rebasado.
        if (valor > INT_MAX)
            valor = INT_MAX;
        if (valor < INT_MIN)
            valor = INT_MIN;
        if (hayNumero && valor >= min && valor <= max)
            return static_cast<int>(valor);
    }
}

float pedirFloat(const char *prompt, float min, float max) {
    for (;;) {
        charRef linea = pedirConRangoReal(prompt, min, max);
        char *finDelNumero = nullptr;
        const float valor = strtof(linea, &finDelNumero);
        const bool hayNumero = finDelNumero != linea;
        free(linea);

        // Exactamente estas dos comparaciones: un nan no cumple ninguna y se devuelve.
        if (!hayNumero || min > valor || valor > max)
            continue;
        return valor;
    }
}

double pedirDouble(const char *prompt, double min, double max) {
    for (;;) {
        charRef linea = pedirConRangoReal(prompt, min, max);
        char *finDelNumero = nullptr;
        const double valor = strtod(linea, &finDelNumero);
        const bool hayNumero = finDelNumero != linea;
        free(linea);

        if (!hayNumero || min > valor || valor > max)
            continue;
        return valor;
    }
}

void salir(char *flag) {
    char *respuesta = static_cast<char *>(reservar(longitudRespuesta));
    do {
        printf("\n\nDesea realmente salir del programa (s/n)?");
        fflush(stdout);
        if (fgets(respuesta, longitudRespuesta, stdin) == nullptr) {
            free(respuesta);
            exit(1);
        }
    } while (respuesta[0] != 's' && respuesta[0] != 'n');

    if (respuesta[0] == 'n')
        *flag = 0;
    free(respuesta);
}
