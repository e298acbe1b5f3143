// system() for the browser: WASI has no processes, so there is no shell to run a command. The
// answer is a shell's own for a command it cannot find, on standard error, with its status
// (127, as wait() reports it: 127 << 8). wasi-libc declares system() and leaves it undefined.
#include <stdio.h>
#include <stdlib.h>

int system(const char *command) {
    if (command == NULL)
        return 0;  // no shell here
    // The shell names the command's first word.
    const char *word = command;
    while (*word == ' ' || *word == '\t')
        ++word;
    int length = 0;
    while (word[length] != '\0' && word[length] != ' ' && word[length] != '\t')
        ++length;
    fflush(stdout);
    fprintf(stderr, "sh: 1: %.*s: not found\n", length, word);
    return 127 << 8;
}
