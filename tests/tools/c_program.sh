#!/usr/bin/env bash
# A course program written in C (programs/<name>/<name>.c) is a program like the others: the
# index lists it, make run builds and starts it, and the checker checks it against its cases.
# Done on a copy of the course, with one small C program added to it.
# Usage: c_program.sh <build-folder> <source-folder>
set -u
build=$1
source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
copy=$scratch/curso
mkdir "$copy"
for part in CMakeLists.txt GNUmakefile cmake lib menu modules programs scripts tools tests LEEME.md; do
    cp -r "$source/$part" "$copy/"
done
chmod -R u+w "$copy"  # the checkout may be read-only; its copy is ours to change
unset MAKEFLAGS MFLAGS MAKELEVEL

mkdir "$copy/programs/holac" "$copy/casos" "$copy/casos/holac" "$copy/casos/holac/saluda"
cat > "$copy/programs/holac/holac.c" <<'PROGRAM'
// holac: saluda en C después de pedir un número
#include <stdio.h>

#include "utiles.h"

int main(void) {
    int n = pedirInt("Un numero:", 1, 9);
    printf("Hola %d\n", n);
    return 0;
}
PROGRAM
echo 'curso_program(holac MODULES utiles)' > "$copy/programs/holac/CMakeLists.txt"
printf '== Un programa en C\nholac\n' >> "$copy/programs/indice.txt"
printf '3\n' > "$copy/casos/holac/saluda/stdin"
printf '(1 <= x <= 9) Un numero: Hola 3\n' > "$copy/casos/holac/saluda/stdout"

status=0
listed=$(sh "$copy/scripts/indice.sh" lista)
grep -q 'holac       saluda en C después de pedir un número' <<< "$listed" ||
    { echo "make list does not show the C program:"; echo "$listed" | tail -n 3; status=1; }
# A makefile of the student's own in the course's folder (rulegen writes one) does not hide the
# course's commands: GNU make reads GNUmakefile first.
printf 'all:\n\t@echo el makefile del alumno\n' > "$copy/makefile"
ran=$(make -s -C "$copy" run P=holac BUILD="$scratch/build" < "$copy/casos/holac/saluda/stdin" 2>&1)
grep -q 'Hola 3' <<< "$ran" || { echo "make run P=holac:"; echo "$ran"; status=1; }
checked=$("$build/tools/comprobar" --sin-caja --casos "$copy/casos" holac "$scratch/build/bin/holac" 2>&1)
grep -q '1 de 1 casos correctos' <<< "$checked" || { echo "the checker on the C program:"; echo "$checked"; status=1; }
exit $status
