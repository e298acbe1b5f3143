/* The plain C peer of linedump for bench/linedump.sh: the same question, the same line list
 * (getline, one malloc per line holding its text without the line end) and the same output,
 * written plainly: one printf per line, the default stdio buffers, an array that doubles. */
#define _POSIX_C_SOURCE 200809L
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>

static void *allocate(void *memory, size_t bytes) {
    memory = realloc(memory, bytes);
    if (memory == NULL) {
        puts("\nNo queda memoria libre");
        exit(1);
    }
    return memory;
}

int main(void) {
    /* The path is read as linedump reads it: one line of up to 1023 bytes, without its '\n'. */
    char path[1024];
    printf("¿Cual es la ruta del fichero?  ");
    fflush(stdout);
    if (fgets(path, sizeof path, stdin) == NULL)
        path[0] = '\0';
    path[strcspn(path, "\n")] = '\0';

    FILE *file = fopen(path, "r");
    if (file == NULL) {
        printf("\n\nError en linedump: \"%s\" - %s\n\n\a", path, strerror(errno));
        return 0;
    }

    char **lines = NULL;
    size_t count = 0;
    size_t room = 0;
    char *buffer = NULL;
    size_t size = 0;
    while (getline(&buffer, &size, file) >= 0) {
        /* The text ends at the first '\r', '\n' or NUL, as linedump's does. */
        size_t length = strcspn(buffer, "\r\n");
        char *line = allocate(NULL, length + 1);
        memcpy(line, buffer, length);
        line[length] = '\0';
        if (count == room) {
            room = room == 0 ? 1024 : 2 * room;
            lines = allocate(lines, room * sizeof *lines);
        }
        lines[count] = line;
        ++count;
    }
    fclose(file);

    printf("\nSe han leído %zu líneas\n\n", count);
    for (size_t i = 0; i < count; ++i)
        printf("La línea %zu contiene \"%s\"\n", i, lines[i]);
    return 0;
}
