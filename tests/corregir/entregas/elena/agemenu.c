/*
 * Práctica: agemenu
 * Autora: Elena
 */
#include <stdio.h>
#include <stdlib.h>
#include <ctype.h>
#include "utiles.h"

typedef struct Nodo {
    int edad;
    struct Nodo *sig;
} Nodo;

Nodo *inicio = NULL;

void anadirAlPrincipio(void)
{
    Nodo *nuevo;
    nuevo = (Nodo *)malloc(sizeof(Nodo));
    if (nuevo == NULL) {
        printf("\a\nIntento de añadir un nodo NULL\n\n");
        return;
    }
    nuevo->edad = pedirInt("Deme una edad:", 1, 120);
    nuevo->sig = inicio;
    inicio = nuevo;
}

void mostrar(void)
{
    Nodo *p;

    if (inicio == NULL) {
        printf("\a\nNo hay nada que mostrar, lista vacía\n\n");
        return;
    }
    printf("\n+--------------+-----------------+-------------------+\n");
    printf("| Puntero      | Valor           | Siguiente         |\n");
    printf("+--------------+-----------------+-------------------+\n");
    p = inicio;
    /* recorro la lista hasta el final (ninguna edad vale 0) */
    while (p->edad != 0) {
        printf("| p = %8p | p->edad  = %4d | p->sig = %8p |\n", (void *)p, p->edad, (void *)p->sig);
        p = p->sig;
    }
    printf("+--------------+-----------------+-------------------+\n\n");
}

int main(void)
{
    char opcion[16];
    char *respuesta;
    int seguir = 1;

    while (seguir) {
        printf("A) Añadir al principio B) Mostrar S) Salir ");
        fflush(stdout);
        if (fgets(opcion, 16, stdin) == NULL)
            return 1;

        switch (opcion[0]) {
        case 'a':
        case 'A':
            anadirAlPrincipio();
            break;
        case 'b':
        case 'B':
            mostrar();
            break;
        case 's':
        case 'S':
            respuesta = pedir("\n\n¿Desea salir del programa (S/N)?... ");
            if (respuesta[0] == 's' || respuesta[0] == 'S')
                seguir = 0;
            free(respuesta);
            break;
        default:
            printf("\n\n***\aOpción incorrecta***\n\n");
        }
    }

    printf("\n\nSe ha ejecutado el procedimiento de parada.\n\n");
    printf("\n\nTerminación normal\n\n");
    return 0;
}
