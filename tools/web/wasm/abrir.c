// An empty file name names no file, as on Linux: wasi-libc resolves "" against the working
// folder and opens the folder itself, so fopen("", "r") would succeed. fopen() and open() come
// here first (the toolchain links with --wrap=__wasilibc_open_nomode).
#include <errno.h>

int __real___wasilibc_open_nomode(const char *path, int flags);

int __wrap___wasilibc_open_nomode(const char *path, int flags) {
    if (path[0] == '\0') {
        errno = ENOENT;
        return -1;
    }
    return __real___wasilibc_open_nomode(path, flags);
}
