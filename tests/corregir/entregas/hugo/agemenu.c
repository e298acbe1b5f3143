/* agemenu - Hugo
   Lista de edades con menú. Los fprintf(stderr) son para depurar */
#include <stdio.h>
#include <stdlib.h>
#include <ctype.h>
#include "utiles.h"

typedef struct nodo {
    int edad;
    struct nodo *sig;
} tNodo;

tNodo *cabeza = NULL;
int numNodos = 0;

void anadir(void)
{
    tNodo *nuevo = malloc(sizeof(tNodo));
    if (nuevo == NULL) {
        printf("\a\nIntento de añadir un nodo NULL\n\n");
        return;
    }
    nuevo->edad = pedirInt("Deme una edad:", 1, 120);
    nuevo->sig = cabeza;
    cabeza = nuevo;
    numNodos++;
    fprintf(stderr, "DEBUG: nodo %p con edad %d, ya hay %d\n", (void *)nuevo, nuevo->edad, numNodos);
}

void mostrar(void)
{
    tNodo *p;
    fprintf(stderr, "DEBUG: mostrar, cabeza = %p\n", (void *)cabeza);
    if (cabeza == NULL) {
        printf("\a\nNo hay nada que mostrar, lista vacía\n\n");
        return;
    }
    printf("\n+--------------+-----------------+-------------------+\n");
    printf("| Puntero      | Valor           | Siguiente         |\n");
    printf("+--------------+-----------------+-------------------+\n");
    for (p = cabeza; p != NULL; p = p->sig)
        printf("| p = %8p | p->edad  = %4d | p->sig = %8p |\n", (void *)p, p->edad, (void *)p->sig);
    printf("+--------------+-----------------+-------------------+\n\n");
}

int main(void)
{
    char opcion[16];
    int salir = 0;

    while (!salir) {
        printf("A) Añadir al principio B) Mostrar S) Salir ");
        fflush(stdout);
        if (fgets(opcion, sizeof(opcion), stdin) == NULL)
            exit(1);
        fprintf(stderr, "DEBUG: opcion leida '%c'\n", opcion[0]);   /* quitar antes de entregar */

        if (toupper((unsigned char)opcion[0]) == 'A') {
            anadir();
        } else if (toupper((unsigned char)opcion[0]) == 'B') {
            mostrar();
        } else if (toupper((unsigned char)opcion[0]) == 'S') {
            char *r = pedir("\n\n¿Desea salir del programa (S/N)?... ");
            salir = (toupper((unsigned char)r[0]) == 'S');
            free(r);
        } else {
            printf("\n\n***\aOpción incorrecta***\n\n");
        }
    }

    while (cabeza != NULL) {
        tNodo *aux = cabeza->sig;
        free(cabeza);
        cabeza = aux;
    }
    printf("\n\nSe ha ejecutado el procedimiento de parada.\n\n");
    printf("\n\nTerminación normal\n\n");
    return 0;
}
