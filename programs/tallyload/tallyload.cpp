// tallyload: lee la lista de reales del archivo binario lista.dat y muestra su elemento 987
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr long posicion = 987;  // el elemento que se muestra: el archivo necesita 988 al menos

// La lista es demasiado corta para tener el elemento que se muestra.
void avisarListaCorta(long elementos) {
    printf("\nlista.dat solo tiene %ld elementos: no hay p[%ld]\n\n", elementos, posicion);
}

// Un fallo después de abrir se cuenta como el de abrir, y el archivo se cierra.
int fallarArchivo(FILE *archivo) {
    const int error = errno;  // fclose puede cambiar errno
    fclose(archivo);
    printf("%s", strerror(error));
    return 2;
}

}  // namespace

int main() {
    FILE *archivo = fopen("lista.dat", "r");
    if (archivo == nullptr) {
        printf("%s", strerror(errno));
        return 2;
    }
    // Solo el tamaño de un archivo normal es de fiar: un directorio puede decir cualquiera.
    struct stat datos;
    if (fstat(fileno(archivo), &datos) != 0 || !S_ISREG(datos.st_mode)) {
        fclose(archivo);
        puts("\nlista.dat no es un archivo de datos\n");
        return 2;
    }

    // El tamaño se saca yendo al final: sin comprobarlo, un fallo daría 0 sin avisar.
    if (fseek(archivo, 0, SEEK_END) != 0)
        return fallarArchivo(archivo);
    const long tamano = ftell(archivo);
    if (tamano < 0 || fseek(archivo, 0, SEEK_SET) != 0)
        return fallarArchivo(archivo);
    const long elementos = tamano / static_cast<long>(sizeof(float));
    if (elementos <= posicion) {
        fclose(archivo);
        avisarListaCorta(elementos);
        return 1;
    }

    float *p = static_cast<float *>(malloc(elementos * sizeof(float)));
    if (p == nullptr) {
        puts("\nNo queda memoria libre");
        return 1;
    }
    const long leidos = static_cast<long>(fread(p, sizeof(float), elementos, archivo));
    if (ferror(archivo))
        return fallarArchivo(archivo);
    fclose(archivo);
    if (leidos <= posicion) {
        avisarListaCorta(leidos);
        return 1;
    }

    printf("\np[987] = %f\n\n", static_cast<double>(p[posicion]));
    return 0;
}
