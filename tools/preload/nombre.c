/* Gives the program the name a case gives it (its argv[0]) when it runs under valgrind, which
 * passes on the name it was given itself, the program's path. Loaded with LD_PRELOAD by the
 * course checker:
 *   CURSO_PROGRAMA=PATH  the program, as valgrind was given it: only that process is renamed
 *                        (valgrind may be a script, and its shell is preloaded too)
 *   CURSO_ARGV0=NAME     the program's argv[0]
 * Then it takes itself and those settings out of the environment, so that the program sees
 * the one it sees without valgrind. */
#define _GNU_SOURCE
#include <stdlib.h>
#include <string.h>

/* The C library calls constructors with main's own arguments: what is set here, main sees. */
__attribute__((constructor)) static void start(int argc, char **argv, char **envp) {
    const char *program = getenv("CURSO_PROGRAMA");
    char *name = getenv("CURSO_ARGV0");
    (void)envp;
    if (program == NULL || name == NULL || argc < 1 || strcmp(argv[0], program) != 0)
        return;
    argv[0] = name; /* the string stays where it is: unsetenv only drops the pointer */
    unsetenv("CURSO_PROGRAMA");
    unsetenv("CURSO_ARGV0");
    unsetenv("LD_PRELOAD");
    unsetenv("LD_LIBRARY_PATH");
}
