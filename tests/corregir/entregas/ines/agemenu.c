/* agemenu (Inés) */
#include <stdio.h>
#include <stdlib.h>
#include <ctype.h>
#include "utiles.h"

struct nodo {
    int edad;
    struct nodo *sig;
};

struct nodo *lista = NULL;

void nuevaEdad(void)
{
    struct nodo *n = malloc(sizeof(struct nodo));
    if (n == NULL) {
        printf("\a\nIntento de añadir un nodo NULL\n\n");
        return;
    }
    n->edad = pedirInt("Deme una edad:", 1, 120);
    n->sig = lista;
    lista = n
}

void verLista(void)
{
    struct nodo *p;
    if (lista == NULL) {
        printf("\a\nNo hay nada que mostrar, lista vacía\n\n");
        return;
    }
    printf("\n+--------------+-----------------+-------------------+\n");
    printf("| Puntero      | Valor           | Siguiente         |\n");
    printf("+--------------+-----------------+-------------------+\n");
    for (p = lista; p != NULL; p = p->sig)
        printf("| p = %8p | p->edad  = %4d | p->sig = %8p |\n", (void *)p, p->edad, (void *)p->sig);
    printf("+--------------+-----------------+-------------------+\n\n");
}

int main(void)
{
    char opcion[16];
    char *resp;
    int fin = 0;

    do {
        printf("A) Añadir al principio B) Mostrar S) Salir ");
        fflush(stdout);
        if (fgets(opcion, 16, stdin) == NULL)
            return 1;
        switch (toupper((unsigned char)opcion[0])) {
        case 'A': nuevaEdad(); break;
        case 'B': verLista(); break;
        case 'S':
            resp = pedir("\n\n¿Desea salir del programa (S/N)?... ");
            fin = toupper((unsigned char)resp[0]) == 'S';
            free(resp);
            break;
        default:
            printf("\n\n***\aOpción incorrecta***\n\n");
        }
    } while (!fin);

    printf("\n\nSe ha ejecutado el procedimiento de parada.\n\n");
    printf("\n\nTerminación normal\n\n");
    return 0;
}
