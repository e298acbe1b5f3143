// The list operations of the full list menu, run as sequences on one record. The ages
// they ask for are typed through a redirected standard input; what they print is captured.
// In the sanitizer build every test ends with nothing allocated and nothing used after release.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "consola.h"
#include "lista.h"
#include "operaciones.h"
#include "tipos.h"

namespace {

const std::string listaVacia = "\a\nNo hay nada que quitar, lista vacía\n\n";

class Operaciones : public ::testing::Test {
protected:
    Globales g{};

    // Emptying releases every node, the removed one too: the leak checker sees the rest.
    void TearDown() override { vaciarLista(&g); }

    // The ages from ppio along sig, checking on the way that fin is the last node.
    std::vector<int> edades() {
        std::vector<int> lista;
        NodoRef ultimo = nullptr;
        for (NodoRef p = g.ppio; p != nullptr; p = p->sig) {
            lista.push_back(p->edad);
            ultimo = p;
        }
        EXPECT_EQ(g.fin, ultimo) << "fin is not the last node";
        return lista;
    }

    // Runs an operation with the given typed lines and returns what it printed.
    std::string ejecutar(funRef operacion, const std::string &tecleado = "") {
        teclear(tecleado);
        Pantalla pantalla;
        pantalla.empezar();
        operacion(&g);
        return pantalla.terminar();
    }
};

using Edades = std::vector<int>;

TEST_F(Operaciones, AddsAtBothEndsKeepFin) {
    ejecutar(ponerFinal, "20\n");
    EXPECT_EQ(g.ppio, g.nodoPuesto);
    EXPECT_EQ(g.fin, g.nodoPuesto);
    ejecutar(ponerFinal, "30\n");
    ejecutar(ponerPrincipio, "10\n");
    EXPECT_EQ(g.nodoPuesto, g.ppio);
    ejecutar(ponerFinal, "40\n");
    EXPECT_EQ(g.nodoPuesto, g.fin);
    EXPECT_EQ(edades(), Edades({10, 20, 30, 40}));
}

TEST_F(Operaciones, QuitarPrincipioDownToEmptyAndBeyond) {
    ejecutar(ponerFinal, "1\n");
    ejecutar(ponerFinal, "2\n");
    ejecutar(ponerFinal, "3\n");
    NodoRef primero = g.ppio;

    EXPECT_EQ(ejecutar(quitarPrincipio), "");
    EXPECT_EQ(g.nodoQuitado, primero);
    EXPECT_EQ(g.nodoQuitado->sig, nullptr);
    EXPECT_EQ(edades(), Edades({2, 3}));
    ejecutar(quitarPrincipio);
    EXPECT_EQ(g.nodoQuitado->edad, 2);
    EXPECT_EQ(edades(), Edades({3}));
    ejecutar(quitarPrincipio);
    EXPECT_EQ(g.nodoQuitado->edad, 3);
    EXPECT_EQ(edades(), Edades({}));

    NodoRef ultimoQuitado = g.nodoQuitado;
    EXPECT_EQ(ejecutar(quitarPrincipio), listaVacia);
    EXPECT_EQ(g.nodoQuitado, ultimoQuitado);
    EXPECT_EQ(g.ppio, nullptr);
    EXPECT_EQ(g.fin, nullptr);
}

TEST_F(Operaciones, QuitarFinalDownToEmptyAndBeyond) {
    ejecutar(ponerPrincipio, "3\n");
    ejecutar(ponerPrincipio, "2\n");
    ejecutar(ponerPrincipio, "1\n");
    NodoRef ultimo = g.fin;

    EXPECT_EQ(ejecutar(quitarFinal), "");
    EXPECT_EQ(g.nodoQuitado, ultimo);
    EXPECT_EQ(edades(), Edades({1, 2}));
    EXPECT_EQ(g.fin->sig, nullptr);
    ejecutar(quitarFinal);
    EXPECT_EQ(g.nodoQuitado->edad, 2);
    EXPECT_EQ(edades(), Edades({1}));
    ejecutar(quitarFinal);
    EXPECT_EQ(g.nodoQuitado->edad, 1);
    EXPECT_EQ(edades(), Edades({}));

    EXPECT_EQ(ejecutar(quitarFinal), listaVacia);
    EXPECT_EQ(g.nodoQuitado->edad, 1);
}

TEST_F(Operaciones, AddsAfterRemovingFromTheEnd) {
    ejecutar(ponerFinal, "30\n");
    ejecutar(ponerFinal, "45\n");
    ejecutar(ponerFinal, "50\n");
    ejecutar(quitarFinal);
    ejecutar(ponerFinal, "60\n");
    EXPECT_EQ(edades(), Edades({30, 45, 60}));
    ejecutar(quitarFinal);
    ejecutar(quitarFinal);
    ejecutar(quitarFinal);
    ejecutar(ponerPrincipio, "5\n");  // it must see the list empty and set fin
    ejecutar(ponerFinal, "6\n");
    EXPECT_EQ(edades(), Edades({5, 6}));
}

TEST_F(Operaciones, RemovalsOnEmptyListAskNothing) {
    // Nothing is typed: a question would meet the end of input and end the test program.
    EXPECT_EQ(ejecutar(quitarPrincipio), listaVacia);
    EXPECT_EQ(ejecutar(quitarFinal), listaVacia);
    EXPECT_EQ(ejecutar(borrarNodo), listaVacia);
    EXPECT_EQ(ejecutar(vaciarLista), "");
    EXPECT_EQ(g.nodoQuitado, nullptr);
}

TEST_F(Operaciones, InsertarOrdenadoKeepsAscendingAgesAndEqualsInArrivalOrder) {
    ejecutar(insertarOrdenado, "40\n");
    NodoRef primerCuarenta = g.nodoPuesto;
    ejecutar(insertarOrdenado, "20\n");
    ejecutar(insertarOrdenado, "60\n");
    ejecutar(insertarOrdenado, "40\n");
    NodoRef segundoCuarenta = g.nodoPuesto;
    EXPECT_EQ(primerCuarenta->sig, segundoCuarenta);
    EXPECT_EQ(segundoCuarenta->sig->edad, 60);

    ejecutar(insertarOrdenado, "10\n");
    EXPECT_EQ(g.ppio, g.nodoPuesto);
    ejecutar(insertarOrdenado, "99\n");
    EXPECT_EQ(g.fin, g.nodoPuesto);
    ejecutar(insertarOrdenado, "99\n");
    EXPECT_EQ(g.fin, g.nodoPuesto);
    EXPECT_EQ(edades(), Edades({10, 20, 40, 40, 60, 99, 99}));

    ejecutar(ponerFinal, "100\n");
    EXPECT_EQ(edades(), Edades({10, 20, 40, 40, 60, 99, 99, 100}));
}

TEST_F(Operaciones, InsertarOrdenadoBeforeAnEqualFirstNodeGoesAfterIt) {
    ejecutar(insertarOrdenado, "50\n");
    NodoRef primero = g.ppio;
    ejecutar(insertarOrdenado, "50\n");
    EXPECT_EQ(g.ppio, primero);
    EXPECT_EQ(g.fin, g.nodoPuesto);
    EXPECT_EQ(edades(), Edades({50, 50}));
}

TEST_F(Operaciones, BorrarNodoFirstLastAndMiddle) {
    for (const char *edad : {"10\n", "20\n", "30\n", "40\n", "50\n"})
        ejecutar(ponerFinal, edad);

    EXPECT_EQ(ejecutar(borrarNodo, "10\n"), "(1 <= x <= 120) Deme la edad del nodo a borrar: ");
    EXPECT_EQ(g.nodoQuitado->edad, 10);
    EXPECT_EQ(edades(), Edades({20, 30, 40, 50}));
    ejecutar(borrarNodo, "50\n");
    EXPECT_EQ(g.nodoQuitado->edad, 50);
    EXPECT_EQ(edades(), Edades({20, 30, 40}));
    ejecutar(borrarNodo, "30\n");
    EXPECT_EQ(g.nodoQuitado->edad, 30);
    EXPECT_EQ(g.nodoQuitado->sig, nullptr);
    EXPECT_EQ(edades(), Edades({20, 40}));

    ejecutar(ponerFinal, "60\n");
    EXPECT_EQ(edades(), Edades({20, 40, 60}));
    ejecutar(borrarNodo, "20\n");
    ejecutar(borrarNodo, "40\n");
    ejecutar(borrarNodo, "60\n");
    EXPECT_EQ(edades(), Edades({}));
    EXPECT_EQ(ejecutar(borrarNodo), listaVacia);
}

TEST_F(Operaciones, BorrarNodoTakesTheFirstOfEqualAges) {
    ejecutar(ponerFinal, "7\n");
    NodoRef primerSiete = g.nodoPuesto;
    ejecutar(ponerFinal, "7\n");
    NodoRef segundoSiete = g.nodoPuesto;
    ejecutar(borrarNodo, "7\n");
    EXPECT_EQ(g.nodoQuitado, primerSiete);
    EXPECT_EQ(g.ppio, segundoSiete);
    EXPECT_EQ(g.fin, segundoSiete);
}

TEST_F(Operaciones, BorrarNodoWithoutThatAgeSaysSoAndKeepsTheList) {
    ejecutar(ponerFinal, "10\n");
    ejecutar(ponerFinal, "20\n");
    const std::string salida = ejecutar(borrarNodo, "0\n15\n");
    EXPECT_EQ(salida,
              "(1 <= x <= 120) Deme la edad del nodo a borrar: "
              "(1 <= x <= 120) Deme la edad del nodo a borrar: "
              "\a\nNo hay ningún nodo con esa edad\n\n");
    EXPECT_EQ(g.nodoQuitado, nullptr);
    EXPECT_EQ(edades(), Edades({10, 20}));
}

TEST_F(Operaciones, EachRemovalReleasesTheNodeRemovedBefore) {
    // Only the latest removed node is kept; the leak checker finds any other left behind.
    for (const char *edad : {"1\n", "2\n", "3\n", "4\n"})
        ejecutar(ponerFinal, edad);
    ejecutar(quitarPrincipio);
    ejecutar(quitarFinal);
    ejecutar(borrarNodo, "2\n");
    EXPECT_EQ(g.nodoQuitado->edad, 2);
    EXPECT_EQ(edades(), Edades({3}));
}

TEST_F(Operaciones, RemovingTheNodeJustPutInClearsNodoPuestoOnRelease) {
    ejecutar(ponerFinal, "1\n");
    ejecutar(ponerFinal, "2\n");
    ejecutar(quitarFinal);
    EXPECT_EQ(g.nodoQuitado, g.nodoPuesto);
    ejecutar(quitarFinal);  // releases the node that nodoPuesto still names
    EXPECT_EQ(g.nodoPuesto, nullptr);
}

TEST_F(Operaciones, VaciarListaReleasesEverythingAndTheListCanGrowAgain) {
    ejecutar(ponerPrincipio, "1\n");
    ejecutar(ponerPrincipio, "2\n");
    ejecutar(ponerFinal, "3\n");
    ejecutar(quitarPrincipio);
    EXPECT_EQ(ejecutar(vaciarLista), "");
    EXPECT_EQ(g.ppio, nullptr);
    EXPECT_EQ(g.fin, nullptr);
    EXPECT_EQ(g.nodoPuesto, nullptr);
    EXPECT_EQ(g.nodoQuitado, nullptr);
    EXPECT_EQ(ejecutar(vaciarLista), "");

    ejecutar(ponerFinal, "4\n");
    ejecutar(insertarOrdenado, "2\n");
    EXPECT_EQ(edades(), Edades({2, 4}));
}

}  // namespace
