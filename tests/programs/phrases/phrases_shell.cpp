// Runs phrases with the working folder first on PATH, so a case's own "pause" is the one the
// shell finds, and with standard error sent to standard output, so that what phrases prints,
// what "pause" prints and any complaint of the shell land in one stream in the order written.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "phrases_command.h"

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
    const char *arguments[] = {PHRASES_ARGUMENTS, nullptr};
    execv(PHRASES_EXECUTABLE, const_cast<char *const *>(arguments));
    perror(PHRASES_EXECUTABLE);
    return 127;
}
