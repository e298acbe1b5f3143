/* agemenu - Fran
   Menú para guardar edades en una lista enlazada */
#include <stdio.h>
#include <stdlib.h>
#include <ctype.h>
#include "utiles.h"

struct nodo {
    int edad;
    struct nodo *sig;
};

typedef struct nodo *NodoRef;

NodoRef ponerPrincipio(NodoRef ppio)
{
    NodoRef n = (NodoRef)malloc(sizeof(struct nodo));
    if (n == NULL) {
        printf("\a\nIntento de añadir un nodo NULL\n\n");
        return ppio;
    }
    n->edad = pedirInt("Deme una edad:", 1, 120);
    n->sig = ppio;
    return n;
}

void mostrarLista(NodoRef ppio)
{
    NodoRef p;
    if (ppio == NULL) {
        printf("\a\nNo hay nada que mostrar, lista vacía\n\n");
        return;
    }
    printf("\n+--------------+-----------------+-------------------+\n");
    printf("| Puntero      | Valor           | Siguiente         |\n");
    printf("+--------------+-----------------+-------------------+\n");
    for (p = ppio; p != NULL; p = p->sig)
        printf("| p = %8p | p->edad  = %4d | p->sig = %8p |\n", (void *)p, p->edad, (void *)p->sig);
    printf("+--------------+-----------------+-------------------+\n\n");
}

int main(void)
{
    NodoRef ppio = NULL;
    int salir = 0;

    do {
        char linea[16] = "";
        char *r;

        printf("A) Añadir al principio B) Mostrar S) Salir ");
        fflush(stdout);
        fgets(linea, 16, stdin);   /* leo la opción */

        switch (toupper((unsigned char)linea[0])) {
        case 'A':
            ppio = ponerPrincipio(ppio);
            break;
        case 'B':
            mostrarLista(ppio);
            break;
        case 'S':
            r = pedir("\n\n¿Desea salir del programa (S/N)?... ");
            if (toupper((unsigned char)r[0]) == 'S')
                salir = 1;
            free(r);
            break;
        default:
            printf("\n\n***\aOpción incorrecta***\n\n");
            break;
        }
    } while (!salir);

    printf("\n\nSe ha ejecutado el procedimiento de parada.\n\n");
    printf("\n\nTerminación normal\n\n");
    return 0;
}
