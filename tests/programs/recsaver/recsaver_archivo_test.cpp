// The record file of the transcript cases, read back field by field: what recsaver must
// write is six 28-byte records (name at 0, age at 20, height at 24, little-endian), and it
// is what recloader is given to read.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

const std::string escrito = CASOS "/recsaver/seis-registros-168-bytes/expect/registros.dat";
const std::string leido = CASOS "/recloader/seis-registros-de-recsaver/files/registros.dat";

std::string leerArchivo(const std::string &ruta) {
    std::string bytes;
    FILE *archivo = fopen(ruta.c_str(), "rb");
    if (archivo == nullptr)
        return bytes;
    char bloque[512];
    size_t leidos;
    while ((leidos = fread(bloque, 1, sizeof bloque, archivo)) > 0)
        bytes.append(bloque, leidos);
    fclose(archivo);
    return bytes;
}

// Four bytes at the offset as a little-endian number, whatever the host's byte order.
uint32_t palabra(const std::string &bytes, size_t desde) {
    uint32_t valor = 0;
    for (int i = 3; i >= 0; --i)
        valor = valor << 8 | static_cast<unsigned char>(bytes[desde + i]);
    return valor;
}

struct Esperado {
    const char *nombre;
    int32_t edad;
    float talla;
};

const Esperado tabla[] = {{"Uno", 1, 1.0f},    {"Dos", 2, 2.0f},   {"Tres", 3, 3.0f},
                          {"Cuatro", 4, 4.0f}, {"Cinco", 5, 5.0f}, {"Seis", 6, 6.0f}};

TEST(RecordFile, SixRecordsOf28BytesWithTheFieldsAt0_20_24) {
    const std::string bytes = leerArchivo(escrito);
    ASSERT_EQ(bytes.size(), 168u);
    for (size_t i = 0; i < std::size(tabla); ++i) {
        SCOPED_TRACE("record " + std::to_string(i));
        const size_t inicio = i * 28;
        std::string nombre(tabla[i].nombre);
        nombre.resize(20, '\0');    // the bytes after the name are zeros
        EXPECT_EQ(bytes.substr(inicio, 20), nombre);
        EXPECT_EQ(static_cast<int32_t>(palabra(bytes, inicio + 20)), tabla[i].edad);
        const uint32_t bits = palabra(bytes, inicio + 24);
        float talla;
        memcpy(&talla, &bits, sizeof talla);
        EXPECT_EQ(talla, tabla[i].talla);
    }
}

TEST(RecordFile, ReaderIsGivenWhatTheWriterWrites) {
    EXPECT_EQ(leerArchivo(leido), leerArchivo(escrito));
}

}  // namespace
