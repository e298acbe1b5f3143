// lineecho: lee un archivo de texto entero en una lista de líneas y muestra las diez últimas
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "lineas.h"
#include "utiles.h"

namespace {

constexpr int incremento = 500;  // el vector de líneas crece de tantas en tantas entradas
constexpr int ultimas = 10;      // cuántas líneas se muestran, las del final del archivo

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

// La copia propia del lector de listas de líneas: la misma lista, un aviso de error más corto.
int linedump(const char *ruta, charRef **lineas, int *numLineas) {
    FILE *fichero = fopen(ruta, "r");
    if (fichero == nullptr) {
        printf("\n%s\n\a", strerror(errno));
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

}  // namespace

int main() {
    charRef ruta = pedir("¿Cual es la ruta del fichero? ");
    charRef *lineas = nullptr;
    int numLineas = 0;
    if (linedump(ruta, &lineas, &numLineas) != 0)
        return 0;  // linedump ya ha dicho por qué

    printf("\nSe han leído %d líneas\n\n", numLineas);
    // Un archivo de menos de diez líneas se muestra entero.
    const int primera = numLineas > ultimas ? numLineas - ultimas : 0;
    for (int i = primera; i < numLineas; ++i)
        printf("La línea %d contiene \"%s\"\n", i, lineas[i]);
    return 0;
}
