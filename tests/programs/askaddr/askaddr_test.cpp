// askaddr's address lines: four distinct arrays of 5 characters, side by side in main's frame.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include <gtest/gtest.h>

namespace {

constexpr uintptr_t longitudTexto = 5;  // the size of each array
constexpr uintptr_t unMarco = 4096;     // a distance no stack frame of askaddr comes near

// Runs askaddr with the given typed lines and gives back each address line's array and address.
std::map<std::string, uintptr_t> direcciones(const std::string &lineas) {
    std::map<std::string, uintptr_t> halladas;
    // The program's path is quoted for the shell: its folder may hold spaces.
    const std::string orden = "printf '" + lineas + "' | '" PROGRAMA_ASKADDR "'";
    FILE *salida = popen(orden.c_str(), "r");
    if (salida == nullptr)
        return halladas;
    const char prefijo[] = "La dirección de \"";
    char linea[256];
    while (fgets(linea, sizeof linea, salida) != nullptr) {
        if (strncmp(linea, prefijo, strlen(prefijo)) != 0)
            continue;
        char nombre[64];
        uintmax_t direccion = 0;
        if (sscanf(linea + strlen(prefijo), "%63[^\"]\" es %" SCNuMAX, nombre, &direccion) == 2)
            halladas[nombre] = static_cast<uintptr_t>(direccion);
    }
    EXPECT_EQ(pclose(salida), 0);
    return halladas;
}

uintptr_t distancia(uintptr_t a, uintptr_t b) {
    return a > b ? a - b : b - a;
}

TEST(Askaddr, PrintsTheFourArraysOnceEach) {
    const auto halladas = direcciones("Oxa\\nSol\\n");
    EXPECT_EQ(halladas.size(), 4u);
    for (const char *nombre : {"nombre", "direccion", "muda", "otra"}) {
        ASSERT_TRUE(halladas.count(nombre)) << nombre;
        EXPECT_NE(halladas.at(nombre), 0u) << nombre;
    }
}

// Each array holds 5 characters, so no two can start closer than that.
TEST(Askaddr, ArraysDoNotOverlap) {
    const auto halladas = direcciones("Valdomero\\nCalle Mayor 1\\n");
    ASSERT_EQ(halladas.size(), 4u);
    for (const auto &[uno, direccionUno] : halladas) {
        for (const auto &[otro, direccionOtro] : halladas) {
            if (uno != otro) {
                EXPECT_GE(distancia(direccionUno, direccionOtro), longitudTexto) << uno << " y " << otro;
            }
        }
    }
}

// All four are automatic arrays of main: they lie together in its stack frame.
TEST(Askaddr, ArraysShareMainsFrame) {
    const auto halladas = direcciones("");
    ASSERT_EQ(halladas.size(), 4u);
    for (const auto &[uno, direccionUno] : halladas)
        for (const auto &[otro, direccionOtro] : halladas)
            EXPECT_LT(distancia(direccionUno, direccionOtro), unMarco) << uno << " y " << otro;
}

}  // namespace
