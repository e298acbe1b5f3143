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
    // Lo que haga el intérprete, queja incluida, es cosa suya: su resultado no se mira.
    [[maybe_unused]] const int resultado = system("pause");
    return 0;
}
