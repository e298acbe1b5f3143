// Runs phrases with the working folder first on PATH, so a case's own "pause" is the one the
// shell finds, and with standard error sent to standard output, so that what phrases prints,
// what "pause" prints and any complaint of the shell land in one stream in the order written.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main() {
    char folder[4096];
    if (getcwd(folder, sizeof folder) == nullptr) {
        perror("getcwd");
        return 126;
    }
    const char *path = getenv("PATH");
    const std::string searched = std::string(folder) + ":" + (path != nullptr ? path : "/usr/bin:/bin");
    if (setenv("PATH", searched.c_str(), 1) != 0 || dup2(STDOUT_FILENO, STDERR_FILENO) < 0) {
        perror("phrases_shell");
        return 126;
    }
    char name[] = "phrases";
    char *arguments[] = {name, nullptr};
    execv(PHRASES_PATH, arguments);
    perror(PHRASES_PATH);
    return 127;
}
