// ficheros: archivos de texto leídos enteros como listas de líneas, y tablas de reales en texto
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ficheros.h"
#include "lineas.h"

namespace {

constexpr int incremento = 500;  // el vector de líneas crece de tantas en tantas entradas

// Sin memoria el programa no puede seguir: lo dice y termina.
void *reservar(size_t bytes) {
    void *memoria = malloc(bytes);
    if (memoria == nullptr) {
        puts("\nNo queda memoria libre");
        exit(1);
    }
    return memoria;
}

// El vector de líneas con sitio para capacidad entradas; las ya guardadas se conservan.
charRef *ampliar(charRef *lineas, int capacidad) {
    void *memoria = realloc(lineas, capacidad * sizeof(charRef));
    if (memoria == nullptr) {
        puts("\nNo queda memoria libre");
        exit(1);
    }
    return static_cast<charRef *>(memoria);
}

// Una cadena nueva con el texto de la línea: sus bytes hasta el salto de línea, el primer
// retorno de carro o un byte NUL, lo que llegue antes. Solo se reserva eso, y así un archivo
// largo no ocupa más memoria que su texto.
charRef copiarLinea(const char *bytes, size_t longitud) {
    // strcspn busca los finales con la biblioteca de C, mucho más deprisa que byte a byte, y
    // se para también en un NUL: uno de la línea o el que siguienteLinea deja tras sus bytes.
    size_t largo = strcspn(bytes, "\r\n");
    if (largo > longitud)
        largo = longitud;
    charRef linea = static_cast<charRef>(reservar(largo + 1));
    memcpy(linea, bytes, largo);
    linea[largo] = '\0';
    return linea;
}

}  // namespace

int linedump(const char *ruta, charRef **lineas, int *numLineas) {
    FILE *fichero = fopen(ruta, "r");
    if (fichero == nullptr) {
        printf("\n\nError en linedump: \"%s\" - %s\n\n\a", ruta, strerror(errno));
        return 1;
    }
    // Lecturas grandes: un archivo largo cuesta unas pocas llamadas al sistema, no miles.
    char bufferLectura[65536];
    setvbuf(fichero, bufferLectura, _IOFBF, sizeof bufferLectura);

    int capacidad = incremento;
    charRef *lista = static_cast<charRef *>(reservar(capacidad * sizeof(charRef)));
    int cuenta = 0;

    // Un error de lectura acaba la lista igual que el final del archivo.
    size_t longitud = 0;
    const char *bytes;
    while ((bytes = siguienteLinea(fichero, &longitud)) != nullptr) {
        lista[cuenta] = copiarLinea(bytes, longitud);
        ++cuenta;
        if (cuenta == capacidad) {
            capacidad += incremento;
            lista = ampliar(lista, capacidad);
        }
    }
    fclose(fichero);

    *lineas = lista;
    *numLineas = cuenta;
    return 0;
}

int leerTablaReales(float **tabla, int filas, int columnas, const char *ruta) {
    FILE *fichero = fopen(ruta, "r");
    if (fichero == nullptr) {
        printf("\nleerTablasReales - Error : %s\n", strerror(errno));
        return 0;
    }

    const long elementos = static_cast<long>(filas) * columnas;
    float *valores = static_cast<float *>(reservar(elementos * sizeof(float)));
    int sinLeer = 0;
    for (long k = 0; k < elementos; ++k) {
        if (fscanf(fichero, "%f", &valores[k]) == 1)
            continue;
        // Se marca el elemento y se salta la palabra que no es un número, de 1023 caracteres
        // como mucho: la de un dispositivo sin fin (/dev/zero) no acaba nunca.
        valores[k] = NAN;
        ++sinLeer;
        if (fscanf(fichero, "%*1023s") == EOF) {
            // No quedaba palabra: el archivo se acabó y ninguno de los que faltan se leerá.
            for (long resto = k + 1; resto < elementos; ++resto)
                valores[resto] = NAN;
            sinLeer += static_cast<int>(elementos - k - 1);
            break;
        }
    }
    fclose(fichero);

    *tabla = valores;
    return sinLeer;
}

int mostrarTablaReales(const float *tabla, int filas, int columnas) {
    if (tabla == nullptr)
        return 1;
    const long elementos = static_cast<long>(filas) * columnas;
    for (long k = 0; k < elementos; ++k) {
        if ((k + 1) % columnas != 0)
            printf("%10.4f", static_cast<double>(tabla[k]));
        else
            printf("%10.4f\n", static_cast<double>(tabla[k]));
    }
    return 0;
}
