// make check MEMORIA=1: every case run under valgrind, whose report is told in Spanish: an
// invalid read or write, a value never set, a wrong free fail the case; memory never released
// is a note, since the course's own programs keep some lists until they end.
#ifndef COMPROBAR_MEMORIA_H
#define COMPROBAR_MEMORIA_H

#include <string>
#include <vector>

// valgrind and its options, reporting in XML on descriptor 3; empty when valgrind is not
// installed.
std::vector<std::string> valgrindCommand();

struct MemoryReport {
    std::vector<std::string> errors;  // one Spanish line each, with the source line it names
    std::string note;                 // memory never released, or empty
    std::string crashAt;              // the program's own line where a signal ended it, or empty
};

MemoryReport readValgrind(const std::string &xml);

// make check MEMORIA=asan (or SANITIZE=1 with FUENTE=): the student's sources built with
// AddressSanitizer and UBSan, which catch what valgrind cannot see (an overflow of a table on
// the stack or of a global one). Their options, and the flags that build a program with them.
std::vector<std::string> sanitizerFlags();
extern const char *const sanitizerOptions;  // UBSAN_OPTIONS=...

// Their report, which they write on standard error, told in the same words as valgrind's; the
// standard error without it is left in rest.
MemoryReport readSanitizers(const std::string &errors, std::string &rest);

#endif
