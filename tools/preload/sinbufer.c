/* Makes the program's standard output unbuffered from its start, as if it called fflush(stdout)
 * after every printf: the checker runs a case again so when the program waited without showing
 * its question, to learn whether a missing fflush was the cause. Loaded with LD_PRELOAD. It
 * stays in the environment: in the sandbox the processes that start the program are preloaded
 * too, and it must reach the program through them. */
#define _GNU_SOURCE
#include <stdio.h>

__attribute__((constructor)) static void start(void) {
    setvbuf(stdout, NULL, _IONBF, 0);
}
