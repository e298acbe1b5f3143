// Console redirection for unit tests: typed input from a text, printed output into a text.
#ifndef CONSOLA_H
#define CONSOLA_H

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

// The next reads from standard input get exactly these bytes, then end of input.
inline void teclear(const std::string &entrada) {
    char ruta[] = "/tmp/entrada.XXXXXX";
    const int fd = mkstemp(ruta);
    if (fd < 0 || write(fd, entrada.data(), entrada.size()) != static_cast<ssize_t>(entrada.size()))
        abort();
    close(fd);
    if (freopen(ruta, "r", stdin) == nullptr)
        abort();
    unlink(ruta);
}

// Captures what standard output receives between empezar() and terminar().
class Pantalla {
public:
    void empezar() {
        fflush(stdout);
        char ruta[] = "/tmp/salida.XXXXXX";
        fd_ = mkstemp(ruta);
        unlink(ruta);
        guardada_ = dup(1);
        if (fd_ < 0 || guardada_ < 0 || dup2(fd_, 1) < 0)
            abort();
    }

    std::string terminar() {
        fflush(stdout);
        dup2(guardada_, 1);
        close(guardada_);
        std::string texto;
        char bloque[4096];
        lseek(fd_, 0, SEEK_SET);
        ssize_t leidos;
        while ((leidos = read(fd_, bloque, sizeof bloque)) > 0)
            texto.append(bloque, static_cast<size_t>(leidos));
        close(fd_);
        return texto;
    }

private:
    int fd_ = -1;
    int guardada_ = -1;
};

#endif
