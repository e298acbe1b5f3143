// rulegen: escribe un makefile que construye prog con los archivos C dados en la línea de órdenes
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// El objeto de la biblioteca de consola con el que se enlaza todo programa generado.
constexpr const char *objetoHerramientas = "/usr/include/wuna/utiles.o\n";

// Un texto al que solo se le añade. Crece lo que haga falta, así que ninguna lista de
// archivos fuente, por larga que sea, se queda cortada.
struct Texto {
    char *datos;
    size_t longitud;   // caracteres guardados, sin contar el nulo final
    size_t capacidad;  // bytes reservados, con el nulo final incluido
};

// Reserva un búfer nuevo (anterior nulo) o agranda uno; sin memoria no se puede escribir nada.
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

// Añade parte, doblando la reserva hasta que quepan parte y el nulo final.
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

// El objeto de un archivo fuente: una copia del nombre cuyo último carácter pasa a ser 'o'
// ("a.c" da "a.o", "x.cpp" da "x.cpo"). El nombre no puede estar vacío.
char *nombreObjeto(const char *fuente) {
    const size_t largo = strlen(fuente);
    char *objeto = static_cast<char *>(reservar(nullptr, largo + 1));
    memcpy(objeto, fuente, largo + 1);
    objeto[largo - 1] = 'o';
    return objeto;
}

// No se pudo escribir el makefile: una herramienta lo dice por la salida de errores y falla.
[[noreturn]] void fallar(const char *que, int error) {
    fprintf(stderr, "rulegen: cannot %s makefile: %s\n", que, strerror(error));
    exit(1);
}

}  // namespace

int main(int argc, char *argv[]) {
    // Sin archivos, solo se explica el uso: un makefile que ya estuviera en la carpeta (uno que
    // funciona) no se toca.
    if (argc == 1) {
        puts("\nUsage: rulegen c_source_files\n");
        puts("Examples:\n\n\trulegen file1.c file2.c");
        puts("\trulegen *.c\n");
        puts("\trulegen folder_1/*.c folder_2/*.c\n");
        return 0;
    }

    Texto herramientas = crearTexto(1024);
    Texto objetos = crearTexto(1024);
    Texto reglas = crearTexto(8192);

    FILE *makefile = fopen("makefile", "w");
    if (makefile == nullptr)
        fallar("open", errno);

    anadir(herramientas, objetoHerramientas);
    for (int i = 1; i < argc; i++) {
        const char *fuente = argv[i];
        // Un nombre vacío no tiene último carácter que cambiar: se deja fuera.
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
        const int error = errno;  // fclose puede cambiar errno
        fclose(makefile);
        fallar("write", error);
    }
    // Casi todos los errores de escritura (disco lleno) solo se ven al vaciar el búfer al cerrar.
    if (fclose(makefile) != 0)
        fallar("write", errno);

    free(herramientas.datos);
    free(objetos.datos);
    free(reglas.datos);
    return 0;
}
