// The line-list reader and the real-table reader and printer of the ficheros module.
#include <gtest/gtest.h>
#include <malloc.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "consola.h"
#include "ficheros.h"

namespace {

// The file floatgrid writes, as its case expects it byte for byte.
const std::string deFloatgrid = CASOS "/floatgrid/escribe-la-tabla-de-ejemplo/expect/tabla.txt";
const float muestra[] = {11, 12, 13, 14, 21, 22, 23, 24, 31, 32, 33, 34};

// Runs accion with standard output going to a temporary file; returns what it printed.
template <typename Accion>
std::string salidaDe(Accion accion) {
    Pantalla pantalla;
    pantalla.empezar();
    accion();
    return pantalla.terminar();
}

// Each test may write one temporary file, which goes when the test ends.
class ConArchivo : public ::testing::Test {
protected:
    void TearDown() override { remove(ruta.c_str()); }
    // Replaces the file by one holding exactly the given bytes; returns its path.
    const char *archivo(const std::string &bytes) {
        remove(ruta.c_str());
        char plantilla[] = "/tmp/ficheros_test.XXXXXX";
        FILE *f = fdopen(mkstemp(plantilla), "w");
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
        ruta = plantilla;
        return ruta.c_str();
    }
    std::string ruta;
};

class Linedump : public ConArchivo {
protected:
    void TearDown() override {
        liberar();
        ConArchivo::TearDown();
    }
    std::vector<std::string> leer(const std::string &bytes) {
        liberar();
        EXPECT_EQ(linedump(archivo(bytes), &lineas, &numLineas), 0);
        return std::vector<std::string>(lineas, lineas + numLineas);
    }
    // Every line apart, then the array: each is a heap block of its own.
    void liberar() {
        for (int i = 0; i < numLineas; ++i)
            free(lineas[i]);
        free(lineas);
        lineas = nullptr;
        numLineas = 0;
    }
    // Entries the line array has room for.
    size_t capacidad() const { return malloc_usable_size(lineas) / sizeof(charRef); }

    charRef *lineas = nullptr;
    int numLineas = 0;
};

// n lines, "0" to n - 1.
std::string numeradas(int n) {
    std::string texto;
    for (int i = 0; i < n; ++i)
        texto += std::to_string(i) + "\n";
    return texto;
}

class TablaReales : public ConArchivo {
protected:
    void TearDown() override {
        free(tabla);
        ConArchivo::TearDown();
    }
    float *tabla = nullptr;
};

}  // namespace

TEST_F(Linedump, LinesLoseLineFeedAndAnythingFromACarriageReturnOrNul) {
    const std::string bytes("uno\r\n\nab\rcd\nx\0y\nfin", 20);
    EXPECT_EQ(leer(bytes), (std::vector<std::string>{"uno", "", "ab", "x", "fin"}));
}

TEST_F(Linedump, EmptyFileLeavesRoomForFiveHundred) {
    EXPECT_TRUE(leer("").empty());
    ASSERT_NE(lineas, nullptr);
    EXPECT_GE(capacidad(), 500u);
}

TEST_F(Linedump, ArrayGrowsByFiveHundredAndKeepsEveryLine) {
    for (const int n : {499, 500, 501, 1000, 2345}) {
        const std::vector<std::string> leidas = leer(numeradas(n));
        ASSERT_EQ(numLineas, n);
        for (int i = 0; i < n; ++i)
            ASSERT_EQ(leidas[i], std::to_string(i));
        EXPECT_GE(capacidad(), (n / 500 + 1) * 500u) << n << " lines";
    }
}

TEST_F(Linedump, MissingFileHandsNothingOver) {
    charRef sinLineas[] = {nullptr};
    charRef *recibidas = sinLineas;
    int cuenta = -7;
    int resultado = 0;
    const std::string salida = salidaDe([&] { resultado = linedump("/no/existe", &recibidas, &cuenta); });
    EXPECT_EQ(resultado, 1);
    EXPECT_EQ(salida, "\n\nError en linedump: \"/no/existe\" - No such file or directory\n\n\a");
    EXPECT_EQ(recibidas, sinLineas);
    EXPECT_EQ(cuenta, -7);
}

TEST_F(TablaReales, FloatgridFileReadsBackInAnyShapeOfItsValues) {
    const int formas[][2] = {{3, 4}, {2, 4}, {6, 2}, {1, 12}};
    for (const auto &forma : formas) {
        free(tabla);
        tabla = nullptr;
        EXPECT_EQ(leerTablaReales(&tabla, forma[0], forma[1], deFloatgrid.c_str()), 0);
        for (int k = 0; k < forma[0] * forma[1]; ++k)
            EXPECT_EQ(tabla[k], muestra[k]) << forma[0] << " rows, element " << k;
    }
}

TEST_F(TablaReales, MissingValuesAreNaNAndCounted) {
    EXPECT_EQ(leerTablaReales(&tabla, 4, 4, deFloatgrid.c_str()), 4);
    EXPECT_EQ(tabla[11], 34.0f);
    for (int k = 12; k < 16; ++k)
        EXPECT_TRUE(std::isnan(tabla[k])) << "element " << k;
}

TEST_F(TablaReales, WordThatIsNoNumberIsSkippedWhole) {
    EXPECT_EQ(leerTablaReales(&tabla, 1, 3, archivo("1.5 equis 2.5\n")), 1);
    EXPECT_EQ(tabla[0], 1.5f);
    EXPECT_TRUE(std::isnan(tabla[1]));
    EXPECT_EQ(tabla[2], 2.5f);
}

TEST_F(TablaReales, EndlessDeviceEndsAfterEveryElement) {
    // /dev/zero is one endless word of NUL bytes: skipping it whole would never return.
    alarm(10);
    EXPECT_EQ(leerTablaReales(&tabla, 3, 4, "/dev/zero"), 12);
    alarm(0);
    for (int k = 0; k < 12; ++k)
        EXPECT_TRUE(std::isnan(tabla[k])) << "element " << k;
}

TEST_F(TablaReales, MissingFileLeavesTheTableAlone) {
    int resultado = -1;
    const std::string salida = salidaDe([&] { resultado = leerTablaReales(&tabla, 3, 4, "/no/existe"); });
    EXPECT_EQ(resultado, 0);
    EXPECT_EQ(tabla, nullptr);
    EXPECT_EQ(salida, "\nleerTablasReales - Error : No such file or directory\n");
}

TEST(MostrarTablaReales, PrintsOneRowPerLineInTenCharacterFields) {
    int resultado = -1;
    const std::string salida = salidaDe([&] { resultado = mostrarTablaReales(muestra, 3, 4); });
    EXPECT_EQ(resultado, 0);
    EXPECT_EQ(salida,
              "   11.0000   12.0000   13.0000   14.0000\n"
              "   21.0000   22.0000   23.0000   24.0000\n"
              "   31.0000   32.0000   33.0000   34.0000\n");
}

TEST(MostrarTablaReales, NaNAndWideValuesKeepTheirFields) {
    const float tabla[] = {NAN, -1.5f, 1e7f, 0.0f};
    EXPECT_EQ(salidaDe([&] { mostrarTablaReales(tabla, 2, 2); }),
              "       nan   -1.5000\n10000000.0000    0.0000\n");
}

TEST(MostrarTablaReales, NoTablePrintsNothing) {
    int resultado = -1;
    EXPECT_EQ(salidaDe([&] { resultado = mostrarTablaReales(nullptr, 3, 4); }), "");
    EXPECT_EQ(resultado, 1);
}
