// The viewer's handlers on one record: what abrir keeps, what it replaces and releases,
// and files that open but cannot be read. In the sanitizer build the leak checker finds
// any path or text that abrir replaced without releasing.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "consola.h"
#include "opciones.h"
#include "tipos.h"

namespace {

const std::string noSePuedeLeer = "\n\nNo se puede leer el archivo, o el archivo está vacío.\n\n";
const std::string pregunta = "Escriba la ruta del archivo:  ";

// A scratch folder of its own for each test, removed afterwards.
class Peekmod : public ::testing::Test {
protected:
    Globales g{};
    std::string carpeta;

    void SetUp() override {
        char nombre[] = "/tmp/peekmod_test.XXXXXX";
        ASSERT_NE(mkdtemp(nombre), nullptr);
        carpeta = nombre;
    }
    void TearDown() override {
        free(g.nombreDelArchivo);
        free(g.contenidoDelArchivo);
        std::filesystem::remove_all(carpeta);
    }

    // Writes a file in the scratch folder and returns its path.
    std::string archivo(const char *nombre, const std::string &contenido) {
        const std::string ruta = carpeta + "/" + nombre;
        FILE *f = fopen(ruta.c_str(), "w");
        EXPECT_NE(f, nullptr);
        EXPECT_EQ(fwrite(contenido.data(), 1, contenido.size(), f), contenido.size());
        EXPECT_EQ(fclose(f), 0);
        return ruta;
    }

    // Runs abrir with the path typed as its answer and returns what it printed.
    std::string abrirRuta(const std::string &ruta) {
        teclear(ruta + "\n");
        return capturar(abrir);
    }

    std::string capturar(funRef handler) {
        Pantalla pantalla;
        pantalla.empezar();
        handler(&g);
        return pantalla.terminar();
    }
};

TEST_F(Peekmod, SecondAbrirReplacesPathAndText) {
    EXPECT_EQ(abrirRuta(archivo("a.txt", "primero")), pregunta);
    const std::string segunda = archivo("b.txt", "segundo");
    EXPECT_EQ(abrirRuta(segunda), pregunta);
    EXPECT_STREQ(g.nombreDelArchivo, segunda.c_str());
    EXPECT_STREQ(g.contenidoDelArchivo, "segundo");
}

TEST_F(Peekmod, FailedOpenKeepsTextButRecordsNewPath) {
    abrirRuta(archivo("a.txt", "primero"));
    const std::string falta = carpeta + "/no-existe";
    EXPECT_EQ(abrirRuta(falta), pregunta + noSePuedeLeer);
    EXPECT_STREQ(g.nombreDelArchivo, falta.c_str());
    EXPECT_STREQ(g.contenidoDelArchivo, "primero");
}

TEST_F(Peekmod, PipeHasNoSizeToSeek) {
    int extremos[2];
    ASSERT_EQ(pipe(extremos), 0);
    ASSERT_EQ(write(extremos[1], "hola\n", 5), 5);
    // The write end stays open, so opening the read end by its name does not wait.
    const std::string ruta = "/dev/fd/" + std::to_string(extremos[0]);
    EXPECT_EQ(abrirRuta(ruta), pregunta + noSePuedeLeer);
    EXPECT_EQ(g.contenidoDelArchivo, nullptr);
    close(extremos[0]);
    close(extremos[1]);
}

TEST_F(Peekmod, BytesAfterANulAreKept) {
    const std::string binario("a\0b", 3);
    abrirRuta(archivo("nul.bin", binario));
    EXPECT_EQ(std::string(g.contenidoDelArchivo, 3), binario);
    EXPECT_EQ(g.contenidoDelArchivo[3], '\0');
}

}  // namespace
