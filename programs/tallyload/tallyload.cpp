// tallyload: reads the list of reals in lista.dat and shows its element at position 987.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr long posicion = 987;  // the element shown: the file needs at least 988

// The list is too short to hold the element shown.
void avisarListaCorta(long elementos) {
    printf("\nlista.dat solo tiene %ld elementos: no hay p[%ld]\n\n", elementos, posicion);
}

// Reports a failure after the open as the open's own failure is reported, and closes the file.
int fallarArchivo(FILE *archivo) {
    const int error = errno;  // fclose may change errno
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
    // Only a regular file has a size worth believing: a directory may claim any.
    struct stat datos;
    if (fstat(fileno(archivo), &datos) != 0 || !S_ISREG(datos.st_mode)) {
        fclose(archivo);
        puts("\nlista.dat no es un archivo de datos\n");
        return 2;
    }

    // The size comes from seeking to the end; a seek that fails would make it 0 unseen.
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
