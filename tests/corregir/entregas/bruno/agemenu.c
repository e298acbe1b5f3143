/* agemenu - lista de edades con menú
   Bruno. Sin utiles.h: leo yo las líneas con fgets. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <ctype.h>

#define TAM_MENU 16     /* el menú lee de 15 en 15 caracteres */
#define TAM_LINEA 100

typedef struct nodo {
    int edad;
    struct nodo *sig;
} Nodo;

/* Muestra la pregunta y lee una línea. Devuelve 0 si se acabó la entrada. */
int leerLinea(const char *pregunta, char *linea, int tam)
{
    printf("%s ", pregunta);
    fflush(stdout);
    if (fgets(linea, tam, stdin) == NULL) {
        linea[0] = '\0';
        return 0;
    }
    return 1;
}

int leerEdad(void)
{
    char linea[TAM_LINEA];
    char *fin;
    long n;

    while (1) {
        if (!leerLinea("(1 <= x <= 120) Deme una edad:", linea, TAM_LINEA))
            exit(1);   /* sin entrada no hay edad */
        n = strtol(linea, &fin, 10);
        if (fin != linea && n >= 1 && n <= 120)
            return (int)n;
    }
}

Nodo *anadirPrincipio(Nodo *lista)
{
    Nodo *nuevo = (Nodo *)malloc(sizeof(Nodo));
    if (nuevo == NULL) {
        printf("\a\nIntento de añadir un nodo NULL\n\n");
        return lista;
    }
    nuevo->edad = leerEdad();
    nuevo->sig = lista;
    return nuevo;
}

void mostrarLista(Nodo *lista)
{
    Nodo *p;
    if (lista == NULL) {
        printf("\a\nNo hay nada que mostrar, lista vacía\n\n");
        return;
    }
    printf("\n+--------------+-----------------+-------------------+\n");
    printf("| Puntero      | Valor           | Siguiente         |\n");
    printf("+--------------+-----------------+-------------------+\n");
    p = lista;
    while (p != NULL) {
        printf("| p = %8p | p->edad  = %4d | p->sig = %8p |\n", (void *)p, p->edad, (void *)p->sig);
        p = p->sig;
    }
    printf("+--------------+-----------------+-------------------+\n\n");
}

int main(void)
{
    Nodo *lista = NULL;
    char opcion[TAM_MENU];
    char respuesta[TAM_LINEA];
    int salir = 0;
    int letra;

    do {
        if (!leerLinea("A) Añadir al principio B) Mostrar S) Salir", opcion, TAM_MENU))
            return 1;
        letra = toupper((unsigned char)opcion[0]);
        if (letra == 'A') {
            lista = anadirPrincipio(lista);
        } else if (letra == 'B') {
            mostrarLista(lista);
        } else if (letra == 'S') {
            leerLinea("\n\n¿Desea salir del programa (S/N)?... ", respuesta, TAM_LINEA);
            if (toupper((unsigned char)respuesta[0]) == 'S')
                salir = 1;
        } else {
            printf("\n\n***\aOpción incorrecta***\n\n");
        }
    } while (!salir);

    /* liberar la memoria antes de acabar */
    while (lista != NULL) {
        Nodo *borrar = lista;
        lista = lista->sig;
        free(borrar);
    }
    printf("\n\nSe ha ejecutado el procedimiento de parada.\n\n");
    printf("\n\nTerminación normal\n\n");
    return 0;
}
