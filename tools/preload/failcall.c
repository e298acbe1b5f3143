/* Makes one call of fseek or ftell fail with errno EIO, for cases whose file errors cannot be
 * had otherwise (a regular file seeks without fail). Loaded with LD_PRELOAD by the transcript
 * runner for a case that holds a file named "fail":
 *   FAIL_CALL="NAME N"   the Nth call (from 1) of NAME, fseek or ftell, fails */
#define _GNU_SOURCE
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>

/* The C library's own: fseeko does what fseek does with a wider offset. */
extern long _IO_ftell(FILE *file);

static int thisCallFails(const char *name) {
    static unsigned long calls;
    const char *setting = getenv("FAIL_CALL");
    const size_t length = strlen(name);
    if (setting == NULL || strncmp(setting, name, length) != 0 || setting[length] != ' ')
        return 0;
    if (++calls != strtoul(setting + length + 1, NULL, 10))
        return 0;
    errno = EIO;
    return 1;
}

int fseek(FILE *file, long offset, int whence) {
    return thisCallFails("fseek") ? -1 : fseeko(file, (off_t)offset, whence);
}

long ftell(FILE *file) {
    return thisCallFails("ftell") ? -1 : _IO_ftell(file);
}
