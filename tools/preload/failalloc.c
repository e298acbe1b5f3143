/* Makes one call of malloc, calloc or realloc fail, for the allocation-failure sweep.
 * Loaded with LD_PRELOAD by the transcript runner:
 *   FAIL_ALLOC_AT=N      the Nth call (from 1) returns null with errno ENOMEM; 0 or unset: none
 *   FAIL_ALLOC_COUNT=F   at exit, the number of calls made is written to the file F
 *   FAIL_ALLOC_WHERE=F   when the call fails, where it was made is written to the file F:
 *                        "fopen" (opening a file), "buffer" (a stream's buffer, which the C
 *                        library then does without) or "other"
 * Only the process the runner starts is affected: LD_PRELOAD is removed from its environment,
 * so a shell that the program starts allocates as usual. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

/* The C library's own allocator, which these wrappers hand every call that does not fail. */
extern void *__libc_malloc(size_t size);
extern void *__libc_calloc(size_t count, size_t size);
extern void *__libc_realloc(void *memory, size_t size);
extern FILE *_IO_fopen(const char *path, const char *mode);

static unsigned long calls;
static unsigned long failAt;
static int configured;
static int insideFopen;

/* Says where the failing call was made, with system calls only: malloc is not to be used. */
static void tellWhere(const void *caller) {
    const char *path = getenv("FAIL_ALLOC_WHERE");
    const char *where = "other";
    Dl_info info;
    int file;
    if (insideFopen)
        where = "fopen";
    else if (dladdr(caller, &info) != 0 && info.dli_sname != NULL &&
             strcmp(info.dli_sname, "_IO_file_doallocate") == 0)
        where = "buffer";
    if (path == NULL || (file = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644)) < 0)
        return;
    if (write(file, where, strlen(where)) < 0) {
        /* nothing more to do: the runner then reads no place */
    }
    close(file);
}

/* Read lazily: other libraries may allocate before this one's constructor runs. */
static int thisCallFails(const void *caller) {
    if (!configured) {
        const char *at = getenv("FAIL_ALLOC_AT");
        failAt = at != NULL ? strtoul(at, NULL, 10) : 0;
        configured = 1;
    }
    ++calls;
    if (failAt != 0 && calls == failAt) {
        tellWhere(caller);
        errno = ENOMEM;
        return 1;
    }
    return 0;
}

void *malloc(size_t size) {
    return thisCallFails(__builtin_return_address(0)) ? NULL : __libc_malloc(size);
}

void *calloc(size_t count, size_t size) {
    return thisCallFails(__builtin_return_address(0)) ? NULL : __libc_calloc(count, size);
}

void *realloc(void *memory, size_t size) {
    return thisCallFails(__builtin_return_address(0)) ? NULL : __libc_realloc(memory, size);
}

FILE *fopen(const char *path, const char *mode) {
    ++insideFopen;
    FILE *file = _IO_fopen(path, mode);
    --insideFopen;
    return file;
}

FILE *fopen64(const char *path, const char *mode) {
    return fopen(path, mode);
}

__attribute__((constructor)) static void start(void) {
    unsetenv("LD_PRELOAD");
}

__attribute__((destructor)) static void finish(void) {
    const char *path = getenv("FAIL_ALLOC_COUNT");
    const unsigned long made = calls;
    FILE *file;
    if (path == NULL || (file = fopen(path, "w")) == NULL)
        return;
    fprintf(file, "%lu\n", made);
    fclose(file);
}
