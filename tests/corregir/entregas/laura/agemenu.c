/* agemenu.c
   Laura - práctica del menú de edades.
   Pongo setlocale para que salgan bien las tildes y la ñ. */
#include <stdio.h>
#include <stdlib.h>
#include <ctype.h>
#include <locale.h>
#include "utiles.h"

struct nodo {
    int edad;
    struct nodo *sig;
};

struct lista {
    struct nodo *ppio;
    int salir;
};

void ponerPrincipio(struct lista *l)
{
    struct nodo *nuevo = malloc(sizeof(struct nodo));
    if (nuevo == NULL) {
        printf("\a\nIntento de añadir un nodo NULL\n\n");
        return;
    }
    nuevo->edad = pedirInt("Deme una edad:", 1, 120);
    nuevo->sig = l->ppio;
    l->ppio = nuevo;
}

void mostrarLista(struct lista *l)
{
    struct nodo *p;
    if (l->ppio == NULL) {
        printf("\a\nNo hay nada que mostrar, lista vacía\n\n");
        return;
    }
    printf("\n+--------------+-----------------+-------------------+\n");
    printf("| Puntero      | Valor           | Siguiente         |\n");
    printf("+--------------+-----------------+-------------------+\n");
    for (p = l->ppio; p != NULL; p = p->sig)
        printf("| p = %8p | p->edad  = %4d | p->sig = %8p |\n", (void *)p, p->edad, (void *)p->sig);
    printf("+--------------+-----------------+-------------------+\n\n");
}

void preguntarSalir(struct lista *l)
{
    char *r = pedir("\n\n¿Desea salir del programa (S/N)?... ");
    if (r[0] == 'S' || r[0] == 's')
        l->salir = 1;
    free(r);
}

void opcionIncorrecta(struct lista *l)
{
    (void)l;
    printf("\n\n***\aOpción incorrecta***\n\n");
}

int main(void)
{
    struct lista l = {NULL, 0};
    const char *opciones = "ABS";
    void (*funciones[])(struct lista *) = {ponerPrincipio, mostrarLista, preguntarSalir};
    char linea[16];
    int i;

    setlocale(LC_ALL, "");

    while (!l.salir) {
        printf("A) Añadir al principio B) Mostrar S) Salir ");
        fflush(stdout);
        if (fgets(linea, 16, stdin) == NULL)
            exit(1);
        /* busco la letra en las opciones; si no está, opción incorrecta */
        for (i = 0; i < 3; i++)
            if (toupper((unsigned char)linea[0]) == opciones[i])
                break;
        if (i < 3)
            funciones[i](&l);
        else
            opcionIncorrecta(&l);
    }

    while (l.ppio != NULL) {
        struct nodo *siguiente = l.ppio->sig;
        free(l.ppio);
        l.ppio = siguiente;
    }
    printf("\n\nSe ha ejecutado el procedimiento de parada.\n\n");
    printf("\n\nTerminación normal\n\n");
    return 0;
}
