// The binary files the programs' cases expect, field by field: the integer table file of
// gridsave and gridload, and the numbered list file of tallysave and tallyload. The cases
// compare the programs' files with these byte for byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The bytes of a file of the cases, given from the cases' folder.
std::string bytesDe(const std::string &relativa) {
    const std::string ruta = std::string(CASOS) + "/" + relativa;
    FILE *archivo = fopen(ruta.c_str(), "rb");
    if (archivo == nullptr) {
        ADD_FAILURE() << "cannot open " << ruta;
        return {};
    }
    std::string bytes;
    int c;
    while ((c = getc(archivo)) != EOF)
        bytes += static_cast<char>(c);
    fclose(archivo);
    return bytes;
}

// The 4-byte little-endian signed integer at the given offset.
int32_t entero(const std::string &bytes, size_t offset) {
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.data() + offset);
    return static_cast<int32_t>(b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24);
}

// The 4-byte little-endian single-precision real at the given offset.
float real(const std::string &bytes, size_t offset) {
    const uint32_t bits = static_cast<uint32_t>(entero(bytes, offset));
    float valor;
    memcpy(&valor, &bits, sizeof valor);
    return valor;
}

// Checks an integer table file: its header, its size and every element (i, j) = i * 10 + j.
void comprobarTabla(const std::string &bytes, int filas, int columnas) {
    ASSERT_EQ(bytes.size(), 8u + 4u * filas * columnas);
    EXPECT_EQ(entero(bytes, 0), filas);
    EXPECT_EQ(entero(bytes, 4), columnas);
    for (int i = 0; i < filas; ++i)
        for (int j = 0; j < columnas; ++j)
            EXPECT_EQ(entero(bytes, 8 + 4 * (i * columnas + j)), i * 10 + j)
                << "element (" << i << ", " << j << ")";
}

// Checks a numbered list file: count elements, element i holding i.
void comprobarLista(const std::string &bytes, int cuenta) {
    ASSERT_EQ(bytes.size(), 4u * cuenta);
    for (int i = 0; i < cuenta; ++i)
        EXPECT_EQ(real(bytes, 4 * i), static_cast<float>(i)) << "element " << i;
}

}  // namespace

TEST(TablaDeEnteros, FourByFiveIsHeaderAndTwentyElements) {
    const std::string bytes = bytesDe("gridsave/cuatro-por-cinco-nombre-por-defecto/expect/salida.dat");
    EXPECT_EQ(bytes.size(), 88u);
    comprobarTabla(bytes, 4, 5);
    EXPECT_EQ(entero(bytes, 8 + 4 * 19), 34);
}

TEST(TablaDeEnteros, TenByTenEndsWith99) {
    const std::string bytes = bytesDe("gridsave/diez-por-diez-archivo-con-nombre/expect/tabla.dat");
    EXPECT_EQ(bytes.size(), 408u);
    comprobarTabla(bytes, 10, 10);
    EXPECT_EQ(entero(bytes, 404), 99);
}

TEST(TablaDeEnteros, OtherShapesWrittenByGridsave) {
    comprobarTabla(bytesDe("gridsave/dimensiones-fuera-de-rango-se-vuelven-a-pedir/expect/salida.dat"), 2, 3);
    comprobarTabla(bytesDe("gridsave/sobrescribe-el-archivo-existente/expect/salida.dat"), 1, 1);
}

TEST(TablaDeEnteros, GridloadReadsWhatGridsaveWrote) {
    EXPECT_EQ(bytesDe("gridload/lee-el-archivo-de-gridsave-con-nombre-por-defecto/files/salida.dat"),
              bytesDe("gridsave/cuatro-por-cinco-nombre-por-defecto/expect/salida.dat"));
    EXPECT_EQ(bytesDe("gridload/diez-por-diez-archivo-con-nombre/files/tabla.dat"),
              bytesDe("gridsave/diez-por-diez-archivo-con-nombre/expect/tabla.dat"));
}

TEST(ListaNumerada, DefaultIsAThousandRealsWith987AtOffset3948) {
    const std::string bytes = bytesDe("tallysave/cantidad-por-defecto/expect/lista.dat");
    EXPECT_EQ(bytes.size(), 4000u);
    EXPECT_EQ(real(bytes, 3948), 987.0f);
    comprobarLista(bytes, 1000);
}

TEST(ListaNumerada, CountsGivenOnTheCommandLine) {
    comprobarLista(bytesDe("tallysave/cantidad-5/expect/lista.dat"), 5);
    comprobarLista(bytesDe("tallysave/cantidad-0-archivo-vacio/expect/lista.dat"), 0);
    comprobarLista(bytesDe("tallysave/fraccion-truncada/expect/lista.dat"), 12);
    comprobarLista(bytesDe("tallysave/cantidad-2000/expect/lista.dat"), 2000);
}

TEST(ListaNumerada, SameFileWithOrWithoutTheDefaultCount) {
    const std::string porDefecto = bytesDe("tallysave/cantidad-por-defecto/expect/lista.dat");
    EXPECT_EQ(bytesDe("tallysave/cantidad-1000-igual-que-por-defecto/expect/lista.dat"), porDefecto);
    EXPECT_EQ(bytesDe("tallysave/se-lee-el-exponente/expect/lista.dat"), porDefecto);
    EXPECT_EQ(bytesDe("tallysave/dos-argumentos-usan-el-valor-por-defecto/expect/lista.dat"), porDefecto);
}

TEST(ListaNumerada, TallyloadReadsWhatTallysaveWrote) {
    EXPECT_EQ(bytesDe("tallyload/tras-tallysave-por-defecto/files/lista.dat"),
              bytesDe("tallysave/cantidad-por-defecto/expect/lista.dat"));
    EXPECT_EQ(bytesDe("tallyload/tras-tallysave-2000/files/lista.dat"),
              bytesDe("tallysave/cantidad-2000/expect/lista.dat"));
}

TEST(ListaNumerada, ShortListsOfTallyloadStopBefore987) {
    comprobarLista(bytesDe("tallyload/demasiado-pocos-elementos/files/lista.dat"), 987);
    comprobarLista(bytesDe("tallyload/exactamente-988-elementos/files/lista.dat"), 988);
}
