// persistb's address lines: the parameter and the automatic local share one stack frame,
// the static local lies elsewhere, among the program's global data.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include <gtest/gtest.h>

namespace {

// A distance no single stack frame of persistb comes near.
constexpr uintptr_t unMarco = 4096;

// Runs persistb and gives back each address line's variable name and address.
std::map<std::string, uintptr_t> direcciones() {
    std::map<std::string, uintptr_t> halladas;
    // The program's path is quoted for the shell: its folder may hold spaces.
    FILE *salida = popen("'" PROGRAMA_PERSISTB "'", "r");
    if (salida == nullptr)
        return halladas;
    const char prefijo[] = "La dirección de ";
    char linea[256];
    while (fgets(linea, sizeof linea, salida) != nullptr) {
        if (strncmp(linea, prefijo, strlen(prefijo)) != 0)
            continue;
        char nombre[64];
        void *direccion = nullptr;
        if (sscanf(linea + strlen(prefijo), "%63s es %p", nombre, &direccion) == 2)
            halladas[nombre] = reinterpret_cast<uintptr_t>(direccion);
    }
    EXPECT_EQ(pclose(salida), 0);
    return halladas;
}

uintptr_t distancia(uintptr_t a, uintptr_t b) {
    return a > b ? a - b : b - a;
}

TEST(Persistb, PrintsTheThreeAddressesOnce) {
    const auto halladas = direcciones();
    EXPECT_EQ(halladas.size(), 3u);
    EXPECT_TRUE(halladas.count("argumento"));
    EXPECT_TRUE(halladas.count("variableLocal"));
    EXPECT_TRUE(halladas.count("variableLocalEstatica"));
}

TEST(Persistb, ParameterAndAutomaticLocalShareTheCallsFrame) {
    auto halladas = direcciones();
    const uintptr_t argumento = halladas["argumento"];
    const uintptr_t variableLocal = halladas["variableLocal"];
    ASSERT_NE(argumento, 0u);
    ASSERT_NE(variableLocal, 0u);
    EXPECT_NE(argumento, variableLocal);
    EXPECT_LT(distancia(argumento, variableLocal), unMarco);
}

TEST(Persistb, StaticLocalLiesAwayFromTheStack) {
    auto halladas = direcciones();
    const uintptr_t estatica = halladas["variableLocalEstatica"];
    ASSERT_NE(estatica, 0u);
    EXPECT_GT(distancia(estatica, halladas["argumento"]), unMarco);
    EXPECT_GT(distancia(estatica, halladas["variableLocal"]), unMarco);
}

}  // namespace
