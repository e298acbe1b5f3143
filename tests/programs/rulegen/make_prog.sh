#!/usr/bin/env bash
# A student's two-source C program built with the makefile that rulegen writes: the real make
# and cc, the console library's header and object taken from the build. Then it is run with
# typed input, and the two cleaning targets are checked.
# Usage: make_prog.sh <rulegen> <build-folder>
set -eu
rulegen=$1
build=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
# The make running the tests must not hand its jobserver or flags to ours.
unset MAKEFLAGS MFLAGS MAKELEVEL

fail() {
    echo "FAIL: $*"
    exit 1
}

cat > doble.h <<'EOF'
int doble(int n);
EOF
cat > doble.c <<'EOF'
#include "doble.h"

int doble(int n) {
    return 2 * n;
}
EOF
cat > principal.c <<'EOF'
#include <stdio.h>

#include <wuna/utiles.h>

#include "doble.h"

int main(void) {
    int n = pedirInt("Numero:", 1, 10);
    printf("\nEl doble de %d es %d\n", n, doble(n));
    return 0;
}
EOF

"$rulegen" principal.c doble.c > rulegen.out || fail "rulegen ended with status $?"
[ -s rulegen.out ] && fail "rulegen printed something with sources given"

# The makefile's link line takes TOOLS as it is, unquoted: a copy at a path without spaces.
mkdir lib
cp "$build/wuna/utiles.o" lib/utiles.o
CPATH="$build" make TOOLS=lib/utiles.o > make.out 2>&1 || {
    cat make.out
    fail "make could not build prog"
}
for built in principal.o doble.o prog; do
    [ -e "$built" ] || fail "make did not leave $built"
done

printf '0\n7\n' | ./prog > prog.out
printf '(1 <= x <= 10) Numero: (1 <= x <= 10) Numero: \nEl doble de 7 es 14\n' > expected
if ! cmp -s expected prog.out; then
    echo "expected:"; od -c expected
    echo "actual:";   od -c prog.out
    fail "prog printed something else"
fi

# lean removes the objects only; clean removes prog too.
make lean > /dev/null || fail "make lean failed"
[ -e principal.o ] || [ -e doble.o ] && fail "make lean left object files"
[ -e prog ] || fail "make lean removed prog"
make clean > /dev/null || fail "make clean failed"
[ -e prog ] && fail "make clean left prog"
for kept in principal.c doble.c doble.h makefile; do
    [ -e "$kept" ] || fail "cleaning removed $kept"
done
echo "ok"
