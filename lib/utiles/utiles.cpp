// utiles: line reading, prompts and range-checked numbers for the console programs.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "utiles.h"

namespace {

constexpr int longitudLinea = 1024;     // a line holds at most 1023 characters
constexpr int longitudRespuesta = 64;   // salir reads its answer in pieces of 63

// Without memory no program of the course can go on: say so and end.
void *reservar(size_t bytes) {
    void *memoria = malloc(bytes);
    if (memoria == nullptr) {
        printf("\nNo queda memoria libre\n");
        exit(1);
    }
    return memoria;
}

// Reads the next line into a new buffer, without its newline; null at end of input.
charRef leerLinea() {
    charRef linea = static_cast<charRef>(reservar(longitudLinea));
    fflush(stdout);  // the prompt must be on the screen before we wait
    if (fgets(linea, longitudLinea, stdin) == nullptr) {
        free(linea);
        return nullptr;
    }
    char *nuevaLinea = strchr(linea, '\n');
    if (nuevaLinea != nullptr)
        *nuevaLinea = '\0';
    return linea;
}

// The number prompts would ask for ever once input has ended: the program ends instead.
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

        // A number beyond the 32-bit range counts as the limit it passed.
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

        // Exactly these two tests: not-a-number passes both and is returned.
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
