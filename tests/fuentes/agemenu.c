/* Práctica del menú de edades (agemenu)
   Alumna: Ana
   Guarda una lista de edades: añade al principio y la muestra. */
#include <stdio.h>
#include <stdlib.h>
#include <ctype.h>
#include "utiles.h"

struct nodo {
    int edad;
    struct nodo *sig;
};

/* la lista empieza vacía */
struct nodo *primero = NULL;

void anadir(void)
{
    struct nodo *nuevo = malloc(sizeof(int));  /* solo cabe la edad */
    if (nuevo == NULL) {
        printf("\a\nIntento de añadir un nodo NULL\n\n");
        return;
    }
    nuevo->edad = pedirInt("Deme una edad:", 1, 120);
    nuevo->sig = primero;   /* el nuevo va delante de todos */
    primero = nuevo;
}

void mostrar(void)
{
    struct nodo *p;
    if (primero == NULL) {
        printf("\a\nNo hay nada que mostrar, lista vacía\n\n");
        return;
    }
    printf("\n+--------------+-----------------+-------------------+\n");
    printf("| Puntero      | Valor           | Siguiente         |\n");
    printf("+--------------+-----------------+-------------------+\n");
    for (p = primero; p != NULL; p = p->sig) {
        printf("| p = %8p | p->edad  = %4d | p->sig = %8p |\n", (void *)p, p->edad, (void *)p->sig);
    }
    printf("+--------------+-----------------+-------------------+\n\n");
}

/* devuelve 1 si el usuario quiere salir */
int confirmarSalida(void)
{
    char *respuesta = pedir("\n\n¿Desea salir del programa (S/N)?... ");
    int quiere = (toupper((unsigned char)respuesta[0]) == 'S');
    free(respuesta);
    return quiere;
}

void borrarLista(void)
{
    struct nodo *p = primero;
    while (p != NULL) {
        struct nodo *siguiente = p->sig;
        free(p);
        p = siguiente;
    }
    primero = NULL;
}

int main(void)
{
    char opcion[16];   /* el menú lee como mucho 15 caracteres */
    int terminar = 0;

    while (!terminar) {
        printf("A) Añadir al principio B) Mostrar S) Salir ");
        fflush(stdout);
        if (fgets(opcion, sizeof(opcion), stdin) == NULL) {
            borrarLista();
            return 1;   /* se acabó la entrada */
        }
        switch (toupper((unsigned char)opcion[0])) {
        case 'A':
            anadir();
            break;
        case 'B':
            mostrar();
            break;
        case 'S':
            terminar = confirmarSalida();
            break;
        default:
            printf("\n\n***\aOpción incorrecta***\n\n");
            break;
        }
    }

    borrarLista();
    printf("\n\nSe ha ejecutado el procedimiento de parada.\n\n");
    printf("\n\nTerminación normal\n\n");
    return 0;
}
