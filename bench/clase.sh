#!/bin/sh
# Times make corregir on a class of 40 addup submissions from C sources, one of them a runaway
# (an endless loop that also forks and allocates), on every processor: the table's own total,
# the wall time of the whole make, and the runaway's line. Each of the 39 honest ones is
# compiled and run in the box like any other; the runaway is stopped at its limits.
#   bench/clase.sh [BUILD]     BUILD defaults to build
set -eu

cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
honest=tests/trampas/entregas/zoe-honesta/addup.c
for i in $(seq -w 1 39); do
    mkdir "$work/alumno-$i"
    cp "$honest" "$work/alumno-$i/addup.c"
done
mkdir "$work/desbocado"
cat > "$work/desbocado/addup.c" << 'EOF'
/* Un programa desbocado: se multiplica, reserva memoria y no termina (hasta 60 s). */
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

int main(void) {
    alarm(60);
    for (int i = 0; i < 4; i++)
        fork();
    for (;;) {
        char *bloque = malloc(1 << 20);
        if (bloque != NULL)
            memset(bloque, 1, 1 << 20);
    }
}
EOF
make -s all BUILD="$build" > /dev/null
start=$(date +%s.%N)
make -s corregir P=addup BUILD="$build" ENTREGAS="$work" NOTAS="$work/notas" > "$work/log" 2>&1 || true
end=$(date +%s.%N)
grep -E '^(Límites|En )' "$work/log"
grep desbocado "$work/log"
awk -v s="$start" -v e="$end" 'BEGIN { printf "make corregir, 40 submissions (one a runaway): %.1f s wall on %d processors\n", e - s, '"$(nproc)"' }'
