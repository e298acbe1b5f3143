// strerror() for the browser with the texts of a Linux terminal (glibc's), so that a program's
// messages are the same bytes there as here: wasi-libc's own texts are musl's, which differ in
// a few ("I/O error" for "Input/output error"). perror() takes its text from here too. The
// numbers stay WASI's: a program that prints errno itself shows the platform's number.
#include <errno.h>
#include <stdio.h>
#include <string.h>

static const struct {
    int number;
    const char *text;
} texts[] = {
    {0, "Success"},
    {E2BIG, "Argument list too long"},
    {EACCES, "Permission denied"},
    {EADDRINUSE, "Address already in use"},
    {EADDRNOTAVAIL, "Cannot assign requested address"},
    {EAFNOSUPPORT, "Address family not supported by protocol"},
    {EAGAIN, "Resource temporarily unavailable"},
    {EALREADY, "Operation already in progress"},
    {EBADF, "Bad file descriptor"},
    {EBADMSG, "Bad message"},
    {EBUSY, "Device or resource busy"},
    {ECANCELED, "Operation canceled"},
    {ECHILD, "No child processes"},
    {ECONNABORTED, "Software caused connection abort"},
    {ECONNREFUSED, "Connection refused"},
    {ECONNRESET, "Connection reset by peer"},
    {EDEADLK, "Resource deadlock avoided"},
    {EDESTADDRREQ, "Destination address required"},
    {EDOM, "Numerical argument out of domain"},
    {EDQUOT, "Disk quota exceeded"},
    {EEXIST, "File exists"},
    {EFAULT, "Bad address"},
    {EFBIG, "File too large"},
    {EHOSTUNREACH, "No route to host"},
    {EIDRM, "Identifier removed"},
    {EILSEQ, "Invalid or incomplete multibyte or wide character"},
    {EINPROGRESS, "Operation now in progress"},
    {EINTR, "Interrupted system call"},
    {EINVAL, "Invalid argument"},
    {EIO, "Input/output error"},
    {EISCONN, "Transport endpoint is already connected"},
    {EISDIR, "Is a directory"},
    {ELOOP, "Too many levels of symbolic links"},
    {EMFILE, "Too many open files"},
    {EMLINK, "Too many links"},
    {EMSGSIZE, "Message too long"},
    {EMULTIHOP, "Multihop attempted"},
    {ENAMETOOLONG, "File name too long"},
    {ENETDOWN, "Network is down"},
    {ENETRESET, "Network dropped connection on reset"},
    {ENETUNREACH, "Network is unreachable"},
    {ENFILE, "Too many open files in system"},
    {ENOBUFS, "No buffer space available"},
    {ENODEV, "No such device"},
    {ENOENT, "No such file or directory"},
    {ENOEXEC, "Exec format error"},
    {ENOLCK, "No locks available"},
    {ENOLINK, "Link has been severed"},
    {ENOMEM, "Cannot allocate memory"},
    {ENOMSG, "No message of desired type"},
    {ENOPROTOOPT, "Protocol not available"},
    {ENOSPC, "No space left on device"},
    {ENOSYS, "Function not implemented"},
    {ENOTCONN, "Transport endpoint is not connected"},
    {ENOTDIR, "Not a directory"},
    {ENOTEMPTY, "Directory not empty"},
    {ENOTRECOVERABLE, "State not recoverable"},
    {ENOTSOCK, "Socket operation on non-socket"},
    {ENOTSUP, "Operation not supported"},
    {ENOTTY, "Inappropriate ioctl for device"},
    {ENXIO, "No such device or address"},
    {EOVERFLOW, "Value too large for defined data type"},
    {EOWNERDEAD, "Owner died"},
    {EPERM, "Operation not permitted"},
    {EPIPE, "Broken pipe"},
    {EPROTO, "Protocol error"},
    {EPROTONOSUPPORT, "Protocol not supported"},
    {EPROTOTYPE, "Protocol wrong type for socket"},
    {ERANGE, "Numerical result out of range"},
    {EROFS, "Read-only file system"},
    {ESPIPE, "Illegal seek"},
    {ESRCH, "No such process"},
    {ESTALE, "Stale file handle"},
    {ETIMEDOUT, "Connection timed out"},
    {ETXTBSY, "Text file busy"},
    {EXDEV, "Invalid cross-device link"},
    {ENOTCAPABLE, "Capabilities insufficient"},
};

char *strerror(int number) {
    static char unknown[32];
    for (size_t i = 0; i < sizeof texts / sizeof texts[0]; ++i)
        if (texts[i].number == number)
            return (char *)texts[i].text;
    snprintf(unknown, sizeof unknown, "Unknown error %d", number);
    return unknown;
}
