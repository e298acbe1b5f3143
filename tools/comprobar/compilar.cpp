// Compiling a student's sources, and the compiler's first error in Spanish.
#include "compilar.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "case.h"
#include "explicar.h"

namespace {

// Headers are given to the compiler with the sources beside them.
bool isHeader(const fs::path &path) {
    const std::string extension = path.extension().string();
    return extension == ".h" || extension == ".hpp" || extension == ".hh";
}

// Reads a file of the student's for the compiler: a regular file, not through a link.
bool readOwn(const fs::path &path, long limit, std::string &bytes) {
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat status;
    if (fd < 0 || fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || (limit > 0 && status.st_size > limit)) {
        if (fd >= 0)
            close(fd);
        return false;
    }
    bytes.clear();
    char block[65536];
    ssize_t count;
    while ((count = read(fd, block, sizeof block)) > 0)
        bytes.append(block, static_cast<size_t>(count));
    close(fd);
    return count == 0;
}

// What the student is told when the compile was stopped at one of its limits.
std::string stoppedAt(const Run &run, const Limits &limits) {
    switch (run.stopped) {
    case Run::WallTime: return "la compilación pasó de " + seconds(limits.wallSeconds) + " y se paró";
    case Run::CpuTime:
        return "la compilación pasó de " + std::to_string(limits.cpuSeconds) + " s de procesador y se paró";
    case Run::Memory:
        return "la compilación pasó de " + std::to_string(limits.memoryMiB) + " MiB de memoria y se paró";
    case Run::Output:
    case Run::ErrorOutput:
        return "el compilador escribió más de " + std::to_string(limits.outputBytes >> 20) +
               " MiB de mensajes y se paró";
    case Run::Disk:
        return "la compilación escribió más de " + std::to_string(limits.diskBytes >> 20) + " MiB y se paró";
    case Run::NotStopped: break;
    }
    return {};
}

bool has(const std::string &text, const char *part) {
    return text.find(part) != std::string::npos;
}

// The quoted name in a message: 'pedirInt' or `pedirInt'.
std::string quoted(const std::string &error) {
    const size_t open = error.find_first_of("'`\xe2");
    if (open == std::string::npos)
        return {};
    const size_t start = error[open] == '\xe2' ? open + 3 : open + 1;  // ‘ is three bytes
    const size_t end = error.find_first_of("'\xe2", start);
    return end == std::string::npos ? std::string{} : error.substr(start, end - start);
}

// A message with the folders of every absolute path left out: "/usr/bin/ld: /tmp/cc1.o: in
// function" becomes "ld: cc1.o: in function". What the grader's machine calls its folders is no
// business of the student's, and hides what matters. A path starts a message or follows a blank
// or a colon ("cc1.o:/tmp/x/a.c:3"), and ends at the colon after it (folders may hold blanks).
std::string withoutFolders(const std::string &line) {
    std::string shown;
    size_t at = 0;
    while (at < line.size()) {
        const bool starts = line[at] == '/' && (at == 0 || line[at - 1] == ' ' || line[at - 1] == ':') &&
                            at + 1 < line.size() &&
                            line[at + 1] != ' ';
        const size_t colon = starts ? line.find(':', at) : std::string::npos;
        const std::string path = colon == std::string::npos ? std::string{} : line.substr(at, colon - at);
        if (path.empty() || path.find_first_of("'`\"()") != std::string::npos) {
            shown += line[at++];
            continue;
        }
        shown += path.substr(path.rfind('/') + 1);
        at = colon;
    }
    return shown;
}

bool ofUtiles(const std::string &name) {
    return name.rfind("pedir", 0) == 0 || name == "sgets" || name == "salir";
}

}  // namespace

std::string firstErrorOf(const std::string &log) {
    const auto lines = splitLines(log);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string &line = lines[i];
        if (has(line, "collect2:") || has(line, "linker command failed"))
            continue;
        // The linker's own line comes after the one that names the function it was in.
        if (!has(line, "error:") && !has(line, "undefined reference") && !has(line, "Undefined symbols") &&
            !has(line, "multiple definition of") && !has(line, "duplicate symbol"))
            continue;
        // gcc and clang show the source line and a marker under the place after the message.
        std::string shown = withoutFolders(line);
        for (size_t k = i + 1; k < lines.size() && k <= i + 3 && !lines[k].empty() && lines[k][0] == ' '; ++k)
            shown += "\n" + lines[k];
        return shown;
    }
    return lines.empty() ? std::string("(el compilador no dijo nada)") : withoutFolders(lines[0]);
}

std::string warningsOf(const std::string &log) {
    std::string shown;
    std::string explained;
    for (const std::string &line : splitLines(log)) {
        if (line.find("warning:") == std::string::npos)
            continue;
        shown += withoutFolders(line) + "\n";
        if (explained.empty())
            explained = explainError(line);
    }
    if (!shown.empty() && !explained.empty())
        shown += "Qué quiere decir el primero que se sabe explicar: " + explained +
                 (explained.back() == '?' ? "\n" : ".\n");
    return shown;
}

std::string explainError(const std::string &error) {
    const std::string name = quoted(error);
    if (has(error, "undefined reference to") || has(error, "Undefined symbols") || has(error, "undefined symbol")) {
        if (name == "main" || has(error, "_main"))
            return "no hay función main, o está mal escrita: todo programa empieza en int main(void)";
        if (ofUtiles(name))
            return name + " es de utiles y no se encuentra así escrita: mira sus mayúsculas (pedirInt, "
                          "pedirFloat, pedirDouble, pedir, sgets, salir)";
        return "el enlazador, que junta tus archivos con las bibliotecas, no encuentra la función " + name +
               ": ¿está mal escrito su nombre, o falta entregar el archivo que la define?";
    }
    if (has(error, "multiple definition of") || has(error, "duplicate symbol")) {
        if (name == "main" || name == "_main")
            return "hay dos funciones main: un programa tiene una sola (¿entregas dos programas, o un "
                   "archivo de pruebas con su propio main?)";
        if (ofUtiles(name))
            return name + " ya está en la biblioteca utiles, que se enlaza sola con tu programa: no "
                          "entregues tu propio utiles.c ni copies sus funciones";
        return "la función o variable " + name + " está definida dos veces, en dos archivos o en uno (en "
                                                 "un .h van solo los prototipos y las declaraciones extern)";
    }
    // gets is gone from C: stdio.h no longer declares it, though it is included.
    if (name == "gets" || has(error, "the `gets' function is dangerous"))
        return "gets ya no existe en C: no sabe cuánto cabe en la tabla y escribe más allá; lee la "
               "línea con fgets(linea, sizeof linea, stdin) o con pedir de utiles";
    if (has(error, "implicit declaration of function") || has(error, "call to undeclared function") ||
        has(error, "implicitly declaring library function"))
        return "llamas a " + name + " antes de declararla: ¿falta su #include (stdio.h, stdlib.h, "
                                    "string.h, utiles.h...) o su prototipo antes de usarla?";
    if (has(error, "undeclared") || has(error, "was not declared in this scope") ||
        has(error, "use of undeclared identifier"))
        return "usas " + name + " sin haberlo declarado: ¿falta declarar la variable, está mal "
                                "escrito, o se declaró dentro de otro bloque?";
    if (has(error, "expected ':', ',', ';', '}'") || has(error, "expected ';' at end of declaration list"))
        return "falta un punto y coma (;) detrás de un campo del registro (struct): casi siempre al final "
               "de la línea anterior";
    if (has(error, "expected ';' after struct") || has(error, "expected ';', identifier or '('"))
        return "falta el punto y coma (;) detrás de la llave que cierra el struct";
    if (has(error, "expected ';'") || has(error, "expected ',' or ';'"))
        return "falta un punto y coma (;): casi siempre al final de la instrucción de la línea anterior";
    if (has(error, "expected declaration or statement at end of input") || has(error, "expected '}'"))
        return "falta cerrar una llave }: cuenta las llaves de cada función y de cada bloque";
    if (has(error, "expected ')'"))
        return "falta cerrar un paréntesis )";
    if (has(error, "missing terminating"))
        return "un texto no cierra sus comillas en la misma línea";
    // A stray byte from 0x80 up that starts no typographic quote (E2) nor odd space (C2) of
    // UTF-8 is nearly always a Latin-1 letter: á, ñ, ¿.
    if ((has(error, "stray '\\3") && !has(error, "stray '\\342'") && !has(error, "stray '\\302'")) ||
        has(error, "stray '\\2") || has(error, "not valid UTF-8") || has(error, "illegal character encoding"))
        return "el fuente no está guardado en UTF-8 (¿en Latin-1 o Windows-1252, como guardan algunos "
               "editores de Windows?): guárdalo en UTF-8, o las letras como á y ñ salen mal";
    if (has(error, "stray") || has(error, "non-ASCII characters are not allowed"))
        return "hay un carácter extraño fuera de las comillas (¿comillas tipográficas “ ” o un espacio "
               "raro copiados de un documento?)";
    if (has(error, "'%p' expects argument of type 'void *'") || has(error, "specifies type 'void *'"))
        return "%p escribe un puntero de tipo void *: conviértelo al dárselo, printf(\"%p\", (void *) &x)";
    if (has(error, "format") && (has(error, "expects argument of type") || has(error, "specifies type")))
        return "un formato de printf o scanf no corresponde a su valor: %d es para int, %ld para long, "
               "%f para double, %c para char, %s para un texto (y scanf quiere la dirección: &x)";
    if (has(error, "control reaches end of non-void function") ||
        has(error, "non-void function does not return a value"))
        return "la función dice que devuelve un valor y puede llegar al final sin return";
    if (has(error, "too few arguments"))
        return "llamas a " + name + " con menos argumentos de los que pide su declaración";
    if (has(error, "too many arguments"))
        return "llamas a " + name + " con más argumentos de los que pide su declaración";
    if (has(error, "makes pointer from integer") || has(error, "makes integer from pointer") ||
        has(error, "incompatible pointer") || has(error, "incompatible integer to pointer") ||
        has(error, "incompatible pointer to integer") || has(error, "invalid conversion from"))
        return "mezclas un puntero con un número, o punteros de tipos distintos: ¿falta o sobra un * o un &?";
    if (has(error, "conflicting types for") || has(error, "redefinition of") || has(error, "redeclaration of"))
        return name + " se declara dos veces de maneras distintas: el prototipo y la definición deben coincidir";
    if (has(error, "lvalue required") || has(error, "expression is not assignable"))
        return "a la izquierda de = tiene que haber una variable: ¿querías comparar con ==?";
    if (has(error, "assignment to expression with array type") ||
        (has(error, "array type") && has(error, "not assignable")))
        return "una tabla no se asigna con =: un texto se copia con strcpy";
    if (has(error, "subscripted value is"))
        return "usas [] con algo que no es una tabla ni un puntero";
    if (has(error, "has no member named") || has(error, "no member named") || has(error, "request for member") ||
        has(error, "member reference"))
        return "ese campo no existe en el registro, o usas . donde va -> (con un puntero) o al revés";
    if (has(error, "conio.h"))
        return "conio.h es de los compiladores antiguos de MS-DOS y Windows, no de C: quita el #include; "
               "en vez de getch usa getchar, y para preguntar, pedirInt o pedir de utiles";
    if (has(error, "No such file or directory") || has(error, "file not found"))
        return "no se encuentra el archivo del #include: mira cómo está escrito; las cabeceras del "
               "sistema van entre < > y las tuyas entre comillas";
    if (has(error, "'else' without a previous 'if'") || has(error, "expected expression before 'else'"))
        return "un else sin su if: ¿hay un ; justo detrás del paréntesis del if, o falta una llave?";
    if (has(error, "array subscript has type 'char'") || has(error, "array subscript is of type 'char'"))
        return "un char como índice de una tabla: con letras como «ñ» o «á» vale negativo y se sale de la "
               "tabla; conviértelo antes, tabla[(unsigned char) c]";
    if (has(error, "parentheses around assignment used as truth value") ||
        has(error, "result of an assignment as a condition"))
        return "la condición asigna con = en vez de comparar: para comparar se escribe ==";
    if (has(error, "used after 'free'") || has(error, "use after free"))
        return "usas un puntero después de liberar su memoria con free: libérala cuando ya no la uses";
    if (has(error, "invalid operands to binary"))
        return "esa operación no se puede hacer con esos tipos (dos textos no se suman: se unen con strcat)";
    if (has(error, "expected expression") || has(error, "expected identifier or"))
        return "sobra o falta algo justo antes de donde marca: un paréntesis, un operador, una coma, un ;";
    return {};
}

Compiled compile(const std::vector<fs::path> &sources, const fs::path &program, const fs::path &library,
                 const RunOptions &box, const std::vector<std::string> &flags) {
    Compiled compiled;
    const bool cplusplus = std::any_of(sources.begin(), sources.end(),
                                       [](const fs::path &p) { return p.extension() != ".c"; });
    // The copies: the sources, and the headers beside them, each by its own name, as the
    // student knows it; a link or anything else but a regular file is not taken.
    Case c;
    c.name = "compilación";
    c.batch = true;
    std::vector<fs::path> files = sources;
    std::error_code ec;
    for (const fs::path &source : sources)
        for (const auto &entry : fs::directory_iterator(source.parent_path(), ec))
            if (isHeader(entry.path()) && entry.symlink_status(ec).type() == fs::file_type::regular &&
                std::find(files.begin(), files.end(), entry.path()) == files.end())
                files.push_back(entry.path());
    for (const fs::path &file : files) {
        CaseFile copy;
        copy.path = file.filename().string();
        const bool source = std::find(sources.begin(), sources.end(), file) != sources.end();
        if (std::any_of(c.files.begin(), c.files.end(), [&copy](const CaseFile &f) { return f.path == copy.path; })) {
            if (!source)
                continue;
            compiled.firstError = "hay dos archivos " + copy.path + ": cada fuente debe tener un nombre distinto";
            return compiled;
        }
        if (!readOwn(file, box.limits.fileBytes, copy.bytes)) {
            if (!source)
                continue;
            compiled.firstError = copy.path + " es un enlace, o no es un archivo normal, o pasa de " +
                                  std::to_string(box.limits.fileBytes >> 20) + " MiB: entrega el fuente mismo";
            return compiled;
        }
        c.files.push_back(copy);
    }
    // utiles: in the box, copied in at a place of its own; without the box, where it is.
    const fs::path wuna = box.sandbox ? fs::path("/utiles/wuna") : library;
    RunOptions options = box;
    options.conversation = false;
    options.environment = {"LC_ALL=C", "LANG=C"};  // messages in English, so that they can be recognised
    if (box.sandbox)
        options.shown = {{library / "utiles.h", (wuna / "utiles.h").string()},
                         {library / "utiles.o", (wuna / "utiles.o").string()}};
    const std::string compiler = cplusplus ? "c++" : "cc";
    c.argv0 = compiler;
    if (cplusplus)
        c.arguments.insert(c.arguments.end(), {"-std=c++20"});
    else
        c.arguments.insert(c.arguments.end(), {"-std=c11", "-D_POSIX_C_SOURCE=200809L"});
    c.arguments.insert(c.arguments.end(), {"-Wall", "-Wextra", "-Wpedantic", "-Wshadow", "-Wformat=2", "-O0",
                                           "-gdwarf-4", "-I", wuna.parent_path().string(), "-I", wuna.string()});
#ifdef __linux__
    // Position-dependent, as the course builds the programs that print their records' addresses
    // in columns of ten (fieldaddrs, rowwalk): so the addresses of globals fit them.
    c.arguments.insert(c.arguments.end(), {"-fno-pie", "-no-pie"});
#endif
    c.arguments.insert(c.arguments.end(), flags.begin(), flags.end());
    for (const fs::path &source : sources)
        c.arguments.push_back(source.filename().string());
    const std::string output = "programa-compilado";
    c.arguments.insert(c.arguments.end(), {(wuna / "utiles.o").string(), "-lm", "-o", output});

    const Run run = runCase(onPath(compiler), c, options);
    compiled.log = run.errors + run.output;
    std::string bytes;
    if (!run.started) {
        compiled.firstError = "no se pudo preparar la compilación: " + run.setupError;
    } else if (!run.finished) {
        compiled.firstError = stoppedAt(run, box.limits);
    } else if (run.status == 0 && readWorkFile(run.scratch / "work", output, SIZE_MAX, bytes) == WorkFile::Read) {
        fs::create_directories(program.parent_path(), ec);
        const int fd = open(program.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0755);
        compiled.ok = fd >= 0 && write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        compiled.ok = fd >= 0 && close(fd) == 0 && compiled.ok;
        if (!compiled.ok)
            compiled.firstError = "no se pudo guardar el programa compilado en " + program.string();
    }
    cleanUp(run, false, box.limits);
    // A compiler stopped by the limit of each process's memory says so in its own words.
    if (!compiled.ok && compiled.firstError.empty() &&
        (has(compiled.log, "out of memory allocating") || has(compiled.log, "virtual memory exhausted"))) {
        Run stopped;
        stopped.stopped = Run::Memory;
        compiled.firstError = stoppedAt(stopped, box.limits);
    }
    if (!compiled.ok && compiled.firstError.empty()) {
        compiled.firstError = firstErrorOf(compiled.log);
        compiled.explanation = explainError(splitLines(compiled.firstError + "\n")[0]);
    }
    return compiled;
}
