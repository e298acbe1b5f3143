/* agemenu.c - Gema
   Hecho en el portátil con Windows: allí los saltos de línea son \r\n */
#include <stdio.h>
#include <stdlib.h>
#include <ctype.h>
#include "utiles.h"

struct nodo {
    int edad;
    struct nodo *sig;
};

int main(void)
{
    struct nodo *lista = NULL;
    struct nodo *p;
    char opcion[16];
    char *resp;
    int salir = 0;

    while (salir == 0) {
        printf("A) Añadir al principio B) Mostrar S) Salir ");
        fflush(stdout);
        if (fgets(opcion, 16, stdin) == NULL)
            return 1;

        switch (toupper((unsigned char)opcion[0])) {
        case 'A':
            /* nodo nuevo delante de los demás */
            p = malloc(sizeof(struct nodo));
            if (p == NULL) {
                printf("\a\r\nIntento de añadir un nodo NULL\r\n\r\n");
                break;
            }
            p->edad = pedirInt("Deme una edad:", 1, 120);
            p->sig = lista;
            lista = p;
            break;
        case 'B':
            if (lista == NULL) {
                printf("\a\r\nNo hay nada que mostrar, lista vacía\r\n\r\n");
                break;
            }
            printf("\r\n+--------------+-----------------+-------------------+\r\n");
            printf("| Puntero      | Valor           | Siguiente         |\r\n");
            printf("+--------------+-----------------+-------------------+\r\n");
            for (p = lista; p != NULL; p = p->sig)
                printf("| p = %8p | p->edad  = %4d | p->sig = %8p |\r\n", (void *)p, p->edad, (void *)p->sig);
            printf("+--------------+-----------------+-------------------+\r\n\r\n");
            break;
        case 'S':
            resp = pedir("\r\n\r\n¿Desea salir del programa (S/N)?... ");
            if (toupper((unsigned char)resp[0]) == 'S')
                salir = 1;
            free(resp);
            break;
        default:
            printf("\r\n\r\n***\aOpción incorrecta***\r\n\r\n");
        }
    }

    /* liberar la lista */
    while (lista != NULL) {
        p = lista;
        lista = lista->sig;
        free(p);
    }
    printf("\r\n\r\nSe ha ejecutado el procedimiento de parada.\r\n\r\n");
    printf("\r\n\r\nTerminación normal\r\n\r\n");
    return 0;
}
