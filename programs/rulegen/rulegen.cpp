// rulegen: writes a makefile that builds prog from the C sources named on the command line.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The object of the console library that every generated program is linked with.
constexpr const char *objetoHerramientas = "/usr/include/wuna/utiles.o\n";

// A text that is only ever appended to. It grows as needed, so no list of sources,
// however long, is cut short.
struct Texto {
    char *datos;
    size_t longitud;   // characters held, the terminating null not counted
    size_t capacidad;  // bytes reserved, the terminating null included
};

// Reserves a new buffer (anterior null) or enlarges one; without memory nothing can be written.
void *reservar(void *anterior, size_t bytes) {
    void *memoria = realloc(anterior, bytes);
    if (memoria == nullptr) {
        puts("\nNo queda memoria libre");
        exit(1);
    }
    return memoria;
}

Texto crearTexto(size_t capacidad) {
    Texto texto{static_cast<char *>(reservar(nullptr, capacidad)), 0, capacidad};
    texto.datos[0] = '\0';
    return texto;
}

// Appends parte, doubling the reserve until parte and the terminating null fit.
void anadir(Texto &texto, const char *parte) {
    const size_t largo = strlen(parte);
    if (texto.longitud + largo + 1 > texto.capacidad) {
        size_t capacidad = texto.capacidad;
        while (texto.longitud + largo + 1 > capacidad)
            capacidad *= 2;
        texto.datos = static_cast<char *>(reservar(texto.datos, capacidad));
        texto.capacidad = capacidad;
    }
    memcpy(texto.datos + texto.longitud, parte, largo + 1);
    texto.longitud += largo;
}

// The object of a source: a copy of the name whose last character becomes 'o'
// ("a.c" gives "a.o", "x.cpp" gives "x.cpo"). The name must not be empty.
char *nombreObjeto(const char *fuente) {
    const size_t largo = strlen(fuente);
    char *objeto = static_cast<char *>(reservar(nullptr, largo + 1));
    memcpy(objeto, fuente, largo + 1);
    objeto[largo - 1] = 'o';
    return objeto;
}

// The makefile could not be written: a tool reports that on standard error and fails.
[[noreturn]] void fallar(const char *que, int error) {
    fprintf(stderr, "rulegen: cannot %s makefile: %s\n", que, strerror(error));
    exit(1);
}

}  // namespace

int main(int argc, char *argv[]) {
    Texto herramientas = crearTexto(1024);
    Texto objetos = crearTexto(1024);
    Texto reglas = crearTexto(8192);

    // Opened before anything else, so even the usage run leaves a fresh makefile.
    FILE *makefile = fopen("makefile", "w");
    if (makefile == nullptr)
        fallar("open", errno);

    if (argc == 1) {
        puts("\nUsage: rulegen c_source_files\n");
        puts("Examples:\n\n\trulegen file1.c file2.c");
        puts("\trulegen *.c\n");
        puts("\trulegen folder_1/*.c folder_2/*.c\n");
    }

    anadir(herramientas, objetoHerramientas);
    for (int i = 1; i < argc; i++) {
        const char *fuente = argv[i];
        // An empty name has no last character to replace: it is left out.
        if (fuente[0] == '\0')
            continue;
        char *objeto = nombreObjeto(fuente);
        anadir(objetos, objeto);
        anadir(objetos, " ");
        anadir(reglas, objeto);
        anadir(reglas, ": ");
        anadir(reglas, fuente);
        anadir(reglas, "\n\tcc -c ");
        anadir(reglas, fuente);
        anadir(reglas, "\n");
        free(objeto);
    }
    anadir(reglas, "\n\nlean:\n\trm -rf *.o\n");
    anadir(reglas, "\nclean:\n\trm -rf *.o\n\trm -rf prog\n");

    const bool escrito = fprintf(makefile, "TOOLS=%s", herramientas.datos) >= 0 &&
                         fprintf(makefile, "OBJECTS=%s", objetos.datos) >= 0 &&
                         fputs("\nprog: $(OBJECTS)\n", makefile) != EOF &&
                         fputs("\tcc -o prog $(TOOLS) $(OBJECTS)\n", makefile) != EOF &&
                         fprintf(makefile, "\n%s", reglas.datos) >= 0;
    if (!escrito) {
        const int error = errno;  // fclose may change errno
        fclose(makefile);
        fallar("write", error);
    }
    // Most write errors (a full disk) only show when the buffer is flushed on closing.
    if (fclose(makefile) != 0)
        fallar("write", errno);

    free(herramientas.datos);
    free(objetos.datos);
    free(reglas.datos);
    return 0;
}
