/* utiles: console input shared by the course's programs (lines, prompts, numbers in a range). */
#ifndef UTILES_H
#define UTILES_H

#ifdef __cplusplus
extern "C" {
#endif

/* A text: a reference to a null-terminated string of characters. */
typedef char *charRef;

/* Reads one line (at most 1023 characters, newline removed) into a new 1024-byte
   heap buffer that the caller releases with free. At end of input the line is empty. */
charRef sgets(void);

/* Prints the prompt and one space, then reads a line as sgets does. */
charRef pedir(const char *prompt);

/* Ask until the answer is a number between min and max, both included.
   At end of input the program ends with exit status 1. */
int pedirInt(const char *prompt, int min, int max);
float pedirFloat(const char *prompt, float min, float max);
double pedirDouble(const char *prompt, double min, double max);

/* Asks whether to leave until the answer begins with s or n; n stores 0 in *flag. */
void salir(char *flag);

#ifdef __cplusplus
}
#endif

#endif
