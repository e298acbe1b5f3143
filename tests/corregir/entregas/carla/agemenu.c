// Menú de edades - Carla
// Lista enlazada: cada edad nueva se pone al principio.
#include <stdio.h>
#include <stdlib.h>
#include <ctype.h>
#include <wuna/utiles.h>

struct nodo {
    int edad;
    struct nodo *sig;
};

struct nodo *ppio = NULL;

void ponerPrincipio(void)
{
    struct nodo *n = malloc(sizeof *n);
    if (n == NULL) {
        printf("\a\nIntento de añadir un nodo NULL\n\n");
        return;
    }
    n->edad = pedirInt("Deme una edad:", 1, 120);
    n->sig = ppio;
    ppio = n;
}

void mostrarLista(void)
{
    if (ppio == NULL) {
        printf("\a\nNo hay nada que mostrar, lista vacía\n\n");
        return;
    }
    printf("\n+--------------+-----------------+-------------------+\n");
    printf("| Puntero      | Valor           | Siguiente         |\n");
    printf("+--------------+-----------------+-------------------+\n");
    for (struct nodo *p = ppio; p != NULL; p = p->sig)
        printf("| p = %8p | p->edad  = %4d | p->sig = %8p |\n", (void *)p, p->edad, (void *)p->sig);
    printf("+--------------+-----------------+-------------------+\n\n");
}

int quiereSalir(void)
{
    char *r = pedir("\n\n¿Desea salir del programa (S/N)?... ");
    int si = toupper((unsigned char)r[0]) == 'S';
    free(r);
    return si;
}

int main(void)
{
    char linea[16];
    int fin = 0;

    while (fin == 0) {
        // el menú en una sola línea, como en el enunciado
        printf("A) Añadir al principio B) Mostrar S) Salir ");
        if (fgets(linea, 16, stdin) == NULL)
            exit(1);
        char letra = toupper((unsigned char)linea[0]);
        if (letra == 'A')
            ponerPrincipio();
        else if (letra == 'B')
            mostrarLista();
        else if (letra == 'S')
            fin = quiereSalir();
        else
            printf("\n\n***\aOpción incorrecta***\n\n");
    }

    while (ppio != NULL) {
        struct nodo *borrar = ppio;
        ppio = ppio->sig;
        free(borrar);
    }
    printf("\n\nSe ha ejecutado el procedimiento de parada.\n\n");
    printf("\n\nTerminación normal\n\n");
    return 0;
}
