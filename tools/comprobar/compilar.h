// Compiling a student's sources as the course compiles (make check FUENTE=, make corregir), and
// telling the compiler's first error in Spanish.
#ifndef COMPROBAR_COMPILAR_H
#define COMPROBAR_COMPILAR_H

#include <filesystem>
#include <string>
#include <vector>

#include "run.h"

struct Compiled {
    bool ok = false;
    std::string firstError;   // the compiler's (or the linker's) first error, as it said it
    std::string explanation;  // what it means, in one Spanish line, when it is a usual one
    std::string log;          // all it said
};

// Compiles the sources (C when all are .c, C++ otherwise) with the course's warnings (not as
// errors: a warning is the student's to read, not a reason for a zero), unoptimised and with
// debugging information valgrind reads (DWARF 4), so that the memory check names the right
// source lines,
// and the console library of the build's wuna/ folder: utiles.h on the include path (also as
// <wuna/utiles.h>) and utiles.o linked. flags: more options for the compiler (the sanitizers of
// make check MEMORIA=asan). The compiler is unread code's first run: it runs as the
// programs do (the box, its user, its limits: `box`), on copies of the sources and of the
// headers beside them, in a folder of its own, and sees nothing else of the teacher's.
Compiled compile(const std::vector<fs::path> &sources, const fs::path &program, const fs::path &library,
                 const RunOptions &box, const std::vector<std::string> &flags = {});

// The compiler's warnings, one line each, with what the first usual one means; empty without any.
std::string warningsOf(const std::string &log);

// The first error of a compiler's messages, and what it means.
std::string firstErrorOf(const std::string &log);
std::string explainError(const std::string &error);

#endif
