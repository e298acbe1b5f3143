// Unit tests of the record formatters: exact texts for any delimiter, widths and name.
#include <cstdlib>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/asan_interface.h>
#endif

#include "registro.h"

namespace {

const Registro tavu = {"Tavu Valdo", 33, 1.80f};

// A name field filled to its 20 bytes with no NUL, followed by an age whose bytes are
// letters too: a formatter that reads past the field shows them.
Registro sinNul() {
    Registro registro{};
    memcpy(registro.nombre, "ABCDEFGHIJKLMNOPQRST", longitudNombre);
    registro.edad = 0x5a5a5a5a;    // "ZZZZ" if read as text
    registro.talla = 1.5f;
    return registro;
}

// The formatter's text as a string, released. In the sanitizer build the bytes right after
// the block are poisoned, which shows its size: exactly the length plus the NUL.
std::string tomar(charRef texto) {
    EXPECT_NE(texto, nullptr);
    if (texto == nullptr)
        return {};
#ifdef __SANITIZE_ADDRESS__
    const size_t longitud = strlen(texto);
    EXPECT_FALSE(__asan_address_is_poisoned(texto + longitud));
    EXPECT_TRUE(__asan_address_is_poisoned(texto + longitud + 1));
#endif
    std::string copia = texto;
    free(texto);
    return copia;
}

std::string delimitado(const Registro &registro, const std::string &delimitador) {
    return tomar(toDelimString(&registro, delimitador.c_str()));
}

std::string encolumnado(const Registro &registro, int nombre, int edad, int talla) {
    const int anchuras[3] = {nombre, edad, talla};
    return tomar(toEncolString(&registro, anchuras));
}

std::string fila(const Registro &registro) {
    return tomar(toString(&registro));
}

TEST(ToDelimString, DelimiterGoesBetweenTheFieldsOnly) {
    EXPECT_EQ(delimitado(tavu, ";"), "Tavu Valdo;33;1.800000");
    EXPECT_EQ(delimitado(tavu, " - "), "Tavu Valdo - 33 - 1.800000");
}

TEST(ToDelimString, EmptyDelimiterRunsTheFieldsTogether) {
    EXPECT_EQ(delimitado(tavu, ""), "Tavu Valdo331.800000");
}

TEST(ToDelimString, NameHoldingTheDelimiterIsWrittenUnchanged) {
    const Registro registro = {"Ana;Eva", 7, 0.5f};
    EXPECT_EQ(delimitado(registro, ";"), "Ana;Eva;7;0.500000");
}

// Far beyond any fixed scratch buffer: the text must come back whole.
TEST(ToDelimString, VeryLongDelimiterIsKeptWhole) {
    const std::string delimitador(5000, '#');
    const std::string texto = delimitado(tavu, delimitador);
    EXPECT_EQ(texto.size(), 2 * delimitador.size() + 20);
    EXPECT_EQ(texto, "Tavu Valdo" + delimitador + "33" + delimitador + "1.800000");
}

TEST(ToEncolString, Widths20_5_10GiveColumnsOf35Bytes) {
    const std::string texto = encolumnado(tavu, 20, 5, 10);
    EXPECT_EQ(texto, "Tavu Valdo          "
                     "   33"
                     "  1.800000");
    EXPECT_EQ(texto.size(), 35u);
}

TEST(ToEncolString, NarrowWidthsWriteEveryFieldWhole) {
    EXPECT_EQ(encolumnado(tavu, 1, 1, 1), "Tavu Valdo331.800000");
    EXPECT_EQ(encolumnado(tavu, 3, 1, 1), "Tavu Valdo331.800000");
}

TEST(ToEncolString, WideColumnsAreFilledWhole) {
    const std::string texto = encolumnado(tavu, 300, 400, 500);
    ASSERT_EQ(texto.size(), 1200u);
    EXPECT_EQ(texto, "Tavu Valdo" + std::string(290, ' ') + std::string(398, ' ') + "33" +
                         std::string(492, ' ') + "1.800000");
}

// Widths count bytes: the two bytes of ñ take two places of the column.
TEST(ToEncolString, WidthsCountBytesNotLetters) {
    const Registro registro = {"Añil", 5, 2.0f};
    EXPECT_EQ(encolumnado(registro, 10, 3, 9), "Añil     "
                                               "  5"
                                               " 2.000000");
}

TEST(ToString, RowIs38CharactersForOrdinaryValues) {
    const Registro uno = {"Uno", 1, 1.0f};
    const std::string texto = fila(uno);
    EXPECT_EQ(texto, "| Uno                  |   1 |  1.00 |");
    EXPECT_EQ(texto.size(), 38u);
}

TEST(ToString, NameOf19BytesKeepsTheRowAt38) {
    const Registro registro = {"Nombre de 19 bytes.", 19, 1.9f};
    EXPECT_EQ(fila(registro), "| Nombre de 19 bytes.  |  19 |  1.90 |");
}

TEST(ToString, HeightShowsTwoDecimals) {
    const Registro registro = {"Oxa Sorne", 22, 1.65f};
    EXPECT_EQ(fila(registro), "| Oxa Sorne            |  22 |  1.65 |");
}

TEST(ToString, WideValuesPushTheRowOut) {
    const Registro registro = {"Uno", 12345, 123.456f};
    EXPECT_EQ(fila(registro), "| Uno                  | 12345 | 123.46 |");
}

// A name field from a file may hold no NUL: every formatter stops at its 20 bytes.
TEST(NameWithoutNul, IsCutAt20BytesByEveryFormatter) {
    const Registro registro = sinNul();
    EXPECT_EQ(fila(registro), "| ABCDEFGHIJKLMNOPQRST | 1515870810 |  1.50 |");
    EXPECT_EQ(delimitado(registro, ";"), "ABCDEFGHIJKLMNOPQRST;1515870810;1.500000");
    EXPECT_EQ(encolumnado(registro, 22, 1, 1), "ABCDEFGHIJKLMNOPQRST  15158708101.500000");
}

}  // namespace
