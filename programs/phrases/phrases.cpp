// phrases: muestra un título y dos frases y pide al intérprete de órdenes que ejecute "pause"
#include <cstdio>
#include <cstdlib>

int main() {
    const char frase1[128] = "Hola, Mundo";
    const char frase2[] = "Selva tenÌa una ovejita";

    puts("\nFrases comunes en ProgramaciÛn");
    puts("==============================\n");
    puts(frase1);
    puts(frase2);

    // El intérprete escribe directamente en el terminal: lo ya escrito tiene que estar allí antes.
    fflush(stdout);
    system("pause");  // lo que escriba el intérprete, queja incluida, es cosa suya
    return 0;
}
