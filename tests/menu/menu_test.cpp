// Unit tests of the menu framework (dispatcher, exit handler, start and stop) and the list module.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "aplicacion.h"
#include "cda.h"
#include "consola.h"
#include "lista.h"

namespace {

std::string llamadas;  // the handlers run so far, one letter each

void anotarA(GlobRef) { llamadas += 'A'; }
void anotarB(GlobRef) { llamadas += 'B'; }
void terminar(GlobRef g) {
    llamadas += 'Q';
    g->salirDePrograma = 1;
}

const std::string menu = "MENU ";
const std::string opcionIncorrecta = "\n\n***\aOpción incorrecta***\n\n";

// Runs the dispatcher on the typed input; returns what it printed.
std::string despachar(const std::string &entrada, const char *opciones, const funRef funciones[]) {
    Globales g{};
    llamadas.clear();
    teclear(entrada);
    Pantalla pantalla;
    pantalla.empezar();
    distribuidor(&g, "MENU", opciones, funciones);
    return pantalla.terminar();
}

TEST(Distribuidor, RunsTheHandlerOfEachLetterInEitherCase) {
    const funRef funciones[] = {anotarA, anotarB, terminar, nullptr};
    const std::string salida = despachar("a\nB\nb\nq\n", "ABQ", funciones);
    EXPECT_EQ(llamadas, "ABBQ");
    EXPECT_EQ(salida, menu + menu + menu + menu);
}

TEST(Distribuidor, AnythingElseGetsTheWrongOptionMessageAndTheMenuAgain) {
    const funRef funciones[] = {anotarA, terminar, nullptr};
    const std::string salida = despachar("\nx\n7\n \nq\n", "AQ", funciones);
    EXPECT_EQ(llamadas, "Q");
    EXPECT_EQ(salida, menu + opcionIncorrecta + menu + opcionIncorrecta + menu + opcionIncorrecta +
                          menu + opcionIncorrecta + menu);
}

TEST(Distribuidor, ALetterGivenTwiceKeepsItsLaterHandler) {
    const funRef funciones[] = {anotarA, anotarB, terminar, nullptr};
    despachar("a\nq\n", "AAQ", funciones);
    EXPECT_EQ(llamadas, "BQ");
}

TEST(Distribuidor, BytesBeyondAsciiSelectTheirOwnSlot) {
    const funRef funciones[] = {anotarA, terminar, nullptr};
    const std::string salida = despachar("\xc3\xb1\n\xff\n\x80\nq\n", "\xc3Q", funciones);
    EXPECT_EQ(llamadas, "AQ");
    EXPECT_EQ(salida, menu + menu + opcionIncorrecta + menu + opcionIncorrecta + menu);
}

TEST(Distribuidor, ReadsALongLine15CharactersAtATime) {
    const funRef funciones[] = {anotarA, anotarB, terminar, nullptr};
    despachar("axxxxxxxxxxxxxxb\nq\n", "ABQ", funciones);
    EXPECT_EQ(llamadas, "ABQ");
}

TEST(Distribuidor, OptionsAndHandlersOfDifferentCountsEndTheProgram) {
    const funRef funciones[] = {anotarA, anotarB, nullptr};
    Globales g{};
    // The message goes to standard output; send it where the death test can see it.
    EXPECT_EXIT((dup2(2, 1), distribuidor(&g, "MENU", "ABC", funciones)),
                testing::ExitedWithCode(1),
                "^\n\nError fatal: numOpciones \\(3\\) =! numFunciones \\(2\\)\n\n$");
}

TEST(Distribuidor, EndOfInputEndsTheProgram) {
    const funRef funciones[] = {anotarA, terminar, nullptr};
    Globales g{};
    EXPECT_EXIT((teclear("a\n"), distribuidor(&g, "MENU", "AQ", funciones)),
                testing::ExitedWithCode(1), "");
}

// Runs the exit handler on one typed answer; returns the flag afterwards.
int salirCon(const std::string &respuesta) {
    Globales g{};
    teclear(respuesta);
    Pantalla pantalla;
    pantalla.empezar();
    ssalir(&g);
    EXPECT_EQ(pantalla.terminar(), "\n\n¿Desea salir del programa (S/N)?...  ");
    return g.salirDePrograma;
}

TEST(Ssalir, OnlyAnAnswerBeginningWithSLeaves) {
    EXPECT_EQ(salirCon("s\n"), 1);
    EXPECT_EQ(salirCon("S\n"), 1);
    EXPECT_EQ(salirCon("Si\n"), 1);
    EXPECT_EQ(salirCon("n\n"), 0);
    EXPECT_EQ(salirCon("N\n"), 0);
    EXPECT_EQ(salirCon("x\n"), 0);
    EXPECT_EQ(salirCon("\n"), 0);
    EXPECT_EQ(salirCon(""), 0) << "end of input is no confirmation";
}

TEST(Cda, ArranqueClearsEveryField) {
    Nodo nodo{};
    Globales g{&nodo, &nodo, &nodo, &nodo, 7};
    char nombre[] = "agemenu";
    char *argv[] = {nombre, nullptr};
    arranque(&g, 1, argv);
    EXPECT_EQ(g.ppio, nullptr);
    EXPECT_EQ(g.fin, nullptr);
    EXPECT_EQ(g.nodoPuesto, nullptr);
    EXPECT_EQ(g.nodoQuitado, nullptr);
    EXPECT_EQ(g.salirDePrograma, 0);
}

TEST(Cda, StopAndHelpMessages) {
    Globales g{};
    Pantalla pantalla;
    pantalla.empezar();
    parada(&g);
    ayuda();
    EXPECT_EQ(pantalla.terminar(),
              "\n\nSe ha ejecutado el procedimiento de parada.\n\n\n\nEste es el mecanismo de ayuda.\n\n");
}

void liberarLista(GlobRef g) {
    while (g->ppio != nullptr) {
        NodoRef siguiente = g->ppio->sig;
        free(g->ppio);
        g->ppio = siguiente;
    }
}

TEST(Lista, PonerPrincipioPutsTheNewestFirstAndKeepsFinOnTheLast) {
    Globales g{};
    teclear("30\n45\n0\n60\n");
    Pantalla pantalla;
    pantalla.empezar();
    ponerPrincipio(&g);
    NodoRef primero = g.ppio;
    ponerPrincipio(&g);
    ponerPrincipio(&g);
    const std::string salida = pantalla.terminar();

    const std::string pregunta = "(1 <= x <= 120) Deme una edad: ";
    EXPECT_EQ(salida, pregunta + pregunta + pregunta + pregunta);
    ASSERT_NE(g.ppio, nullptr);
    EXPECT_EQ(g.nodoPuesto, g.ppio);
    EXPECT_EQ(g.ppio->edad, 60);
    EXPECT_EQ(g.ppio->sig->edad, 45);
    EXPECT_EQ(g.ppio->sig->sig, primero);
    EXPECT_EQ(primero->edad, 30);
    EXPECT_EQ(primero->sig, nullptr);
    EXPECT_EQ(g.fin, primero);
    liberarLista(&g);
}

}  // namespace
