// Unit tests of the console library: what each function prints, reads and returns.
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "consola.h"
#include "utiles.h"

namespace {

std::string repetir(const std::string &texto, int veces) {
    std::string resultado;
    for (int i = 0; i < veces; i++)
        resultado += texto;
    return resultado;
}

// Runs pedirInt on the typed input; returns the value and leaves the screen in *salida.
int pedirIntCon(const std::string &entrada, int min, int max, std::string *salida) {
    teclear(entrada);
    Pantalla pantalla;
    pantalla.empezar();
    const int valor = pedirInt("Deme una edad:", min, max);
    *salida = pantalla.terminar();
    return valor;
}

float pedirFloatCon(const std::string &entrada, float min, float max, std::string *salida) {
    teclear(entrada);
    Pantalla pantalla;
    pantalla.empezar();
    const float valor = pedirFloat("Valor:", min, max);
    *salida = pantalla.terminar();
    return valor;
}

// Reads one line with sgets and gives it back as a string, releasing the buffer.
std::string leer() {
    charRef linea = sgets();
    std::string texto = linea;
    free(linea);
    return texto;
}

TEST(Sgets, LinesLoseTheirNewlineAndEmptyLinesAreEmpty) {
    teclear("hola\n\nfin");
    EXPECT_EQ(leer(), "hola");
    EXPECT_EQ(leer(), "");
    EXPECT_EQ(leer(), "fin");
}

TEST(Sgets, EndOfInputGivesAnEmptyText) {
    teclear("");
    charRef linea = sgets();
    ASSERT_NE(linea, nullptr);
    EXPECT_STREQ(linea, "");
    free(linea);
}

TEST(Sgets, LongLinesComeIn1023CharacterPieces) {
    teclear(repetir("a", 1023) + "bc\n" + repetir("z", 1023) + "\nlast\n");
    EXPECT_EQ(leer(), repetir("a", 1023));
    EXPECT_EQ(leer(), "bc");
    EXPECT_EQ(leer(), repetir("z", 1023));
    EXPECT_EQ(leer(), "") << "the newline after exactly 1023 characters is a line of its own";
    EXPECT_EQ(leer(), "last");
}

TEST(Pedir, PrintsThePromptAndOneSpace) {
    teclear("Ana\n");
    Pantalla pantalla;
    pantalla.empezar();
    charRef respuesta = pedir("Nombre:");
    EXPECT_EQ(pantalla.terminar(), "Nombre: ");
    EXPECT_STREQ(respuesta, "Ana");
    free(respuesta);
}

TEST(PedirInt, AsksAgainUntilTheAnswerIsInRange) {
    std::string salida;
    EXPECT_EQ(pedirIntCon("\nabc\n0\n121\n35\n", 1, 120, &salida), 35);
    EXPECT_EQ(salida, repetir("(1 <= x <= 120) Deme una edad: ", 5));
}

TEST(PedirInt, ReadsTheLeadingDecimalNumber) {
    std::string salida;
    EXPECT_EQ(pedirIntCon("   7\n", 0, 100, &salida), 7);
    EXPECT_EQ(pedirIntCon("+5\n", 0, 100, &salida), 5);
    EXPECT_EQ(pedirIntCon("0x10\n", 0, 100, &salida), 0);
    EXPECT_EQ(pedirIntCon("12abc\n", 0, 100, &salida), 12);
    EXPECT_EQ(pedirIntCon("-3\n", -5, 5, &salida), -3);
    EXPECT_EQ(salida, "(-5 <= x <= 5) Deme una edad: ");
}

TEST(PedirInt, NumbersBeyond32BitsSaturate) {
    std::string salida;
    EXPECT_EQ(pedirIntCon("99999999999\n5\n", 1, 10, &salida), 5);
    EXPECT_EQ(salida, repetir("(1 <= x <= 10) Deme una edad: ", 2));
    EXPECT_EQ(pedirIntCon("99999999999\n", 0, INT_MAX, &salida), INT_MAX);
    EXPECT_EQ(pedirIntCon("-99999999999999999999999\n", INT_MIN, 0, &salida), INT_MIN);
}

TEST(PedirFloat, ShowsTheRangeWithTwoDecimals) {
    std::string salida;
    EXPECT_EQ(pedirFloatCon("3,5\n", 0, 10, &salida), 3.0f) << "the comma ends the number";
    EXPECT_EQ(salida, "(0.00 <= x <= 10.00) Valor: ");
    EXPECT_EQ(pedirFloatCon("1e1\n", 0, 10, &salida), 10.0f);
    EXPECT_EQ(pedirFloatCon("2.5\n", -INFINITY, INFINITY, &salida), 2.5f);
    EXPECT_EQ(salida, "(-inf <= x <= inf) Valor: ");
}

TEST(PedirFloat, NotANumberPassesBothTestsAndInfinityDoesNot) {
    std::string salida;
    EXPECT_TRUE(std::isnan(pedirFloatCon("nan\n", 0, 10, &salida)));
    EXPECT_EQ(pedirFloatCon("inf\nabc\n\n4\n", 0, 10, &salida), 4.0f);
    EXPECT_EQ(salida, repetir("(0.00 <= x <= 10.00) Valor: ", 4));
    EXPECT_EQ(pedirFloatCon("inf\n", 0, INFINITY, &salida), INFINITY);
}

TEST(PedirDouble, ComparesAtDoublePrecision) {
    teclear("0.1\n");
    Pantalla pantalla;
    pantalla.empezar();
    const double valor = pedirDouble("Valor:", 0.1, 0.1);
    EXPECT_EQ(pantalla.terminar(), "(0.10 <= x <= 0.10) Valor: ");
    EXPECT_EQ(valor, 0.1);
}

// Runs salir on the typed input with the flag at 1; returns the flag afterwards.
char salirCon(const std::string &entrada, std::string *salida) {
    teclear(entrada);
    char bandera = 1;
    Pantalla pantalla;
    pantalla.empezar();
    salir(&bandera);
    *salida = pantalla.terminar();
    return bandera;
}

const std::string pregunta = "\n\nDesea realmente salir del programa (s/n)?";

TEST(Salir, OnlyALowerCaseSOrNEndsTheQuestion) {
    std::string salida;
    EXPECT_EQ(salirCon("S\nN\n\nx\nno\n", &salida), 0);
    EXPECT_EQ(salida, repetir(pregunta, 5));
    EXPECT_EQ(salirCon("si\n", &salida), 1);
    EXPECT_EQ(salida, pregunta);
}

TEST(Salir, ReadsLongAnswersIn63CharacterPieces) {
    std::string salida;
    EXPECT_EQ(salirCon(repetir("x", 63) + "n and the rest\n", &salida), 0);
    EXPECT_EQ(salida, repetir(pregunta, 2));
}

// Asking again after input has ended would loop for ever: these end the program instead.
TEST(EndOfInput, NumberPromptsAndSalirEndTheProgramWithStatus1) {
    EXPECT_EXIT((teclear("abc\n"), pedirInt("Edad:", 1, 120)), testing::ExitedWithCode(1), "");
    EXPECT_EXIT((teclear("x\n"), pedirFloat("Valor:", 0, 1)), testing::ExitedWithCode(1), "");
    EXPECT_EXIT((teclear(""), pedirDouble("Valor:", 0, 1)), testing::ExitedWithCode(1), "");
    char bandera = 1;
    EXPECT_EXIT((teclear("S\n"), salir(&bandera)), testing::ExitedWithCode(1), "");
}

}  // namespace
