// phrases: prints a title and two phrases, then asks the command shell to run "pause".
#include <cstdio>
#include <cstdlib>

int main() {
    const char frase1[128] = "Hola, Mundo";
    const char frase2[] = "Selva tenÌa una ovejita";

    puts("\nFrases comunes en ProgramaciÛn");
    puts("==============================\n");
    puts(frase1);
    puts(frase2);

    // The shell writes straight to the terminal: what we printed must be there first.
    fflush(stdout);
    system("pause");  // what the shell prints, a complaint included, is its own
    return 0;
}
