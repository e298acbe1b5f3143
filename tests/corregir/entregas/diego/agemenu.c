/* agemenu.c  (Diego)
 * Menú con tabla de funciones, como el de clase.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <ctype.h>
#include "utiles.h"

typedef struct nodo {
    int edad;
    struct nodo *sig;
} nodo;

typedef struct {
    nodo *ppio;
    int salirDePrograma;
} globales;

typedef void (*funcion)(globales *);

void ponerPrincipio(globales *g)
{
    nodo *nuevo = malloc(sizeof(nodo));
    if (nuevo == NULL) {
        printf("\a\nIntento de añadir un nodo NULL\n\n");
        return;
    }
    nuevo->edad = pedirInt("Deme una edad:", 1, 120);
    nuevo->sig = g->ppio;
    g->ppio = nuevo;
}

void mostrarLista(globales *g)
{
    nodo *p;
    if (g->ppio == NULL) {
        printf("\a\nNo hay nada que mostrar, lista vacía\n\n");
        return;
    }
    printf("\n+--------------+-----------------+-------------------+\n");
    printf("| Puntero      | Valor           | Siguiente         |\n");
    printf("+--------------+-----------------+-------------------+\n");
    for (p = g->ppio; p != NULL; p = p->sig)
        printf("| p = %8p | p->edad  = %4d | p->sig = %8p |\n", (void *)p, p->edad, (void *)p->sig);
    printf("+--------------+-----------------+-------------------+\n\n");
}

void ssalir(globales *g)
{
    char *resp = pedir("\n\n¿Desea salir del programa (S/N)?... ");
    if (toupper((unsigned char)resp[0]) == 'S')
        g->salirDePrograma = 1;
    free(resp);
}

void volver(globales *g)
{
    (void)g;
    printf("\n\n***\aOpción incorrecta***\n\n");
}

int main(void)
{
    globales g = {NULL, 0};
    funcion tabla[256];
    char respuesta[16];
    int i;

    /* todas las letras van a "opción incorrecta" menos A, B y S */
    for (i = 0; i < 256; i++)
        tabla[i] = volver;
    tabla['A'] = ponerPrincipio;
    tabla['B'] = mostrarLista;
    tabla['S'] = ssalir;

    do {
        printf("A) Añadir al prinsipio B) Mostrar S) Salir ");
        fflush(stdout);
        if (fgets(respuesta, sizeof respuesta, stdin) == NULL)
            exit(1);
        tabla[toupper((unsigned char)respuesta[0])](&g);
    } while (!g.salirDePrograma);

    while (g.ppio != NULL) {
        nodo *aux = g.ppio;
        g.ppio = aux->sig;
        free(aux);
    }
    puts("\n\nSe ha ejecutado el procedimiento de parada.\n");
    puts("\n\nTerminación normal\n");
    return 0;
}
