#!/usr/bin/env bash
# Builds a C program with plain cc against build/wuna/utiles.h and utiles.o, runs it, checks it.
# Usage: c_program.sh <build-folder> <folder of this script>
set -eu
build=$1
here=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cc -std=c99 -Wall -Wextra -pedantic -Werror -I "$build" \
   -o "$scratch/prog" "$here/c_program.c" "$build/wuna/utiles.o"

printf 'Ana\n0\nabc\n30\n' | "$scratch/prog" > "$scratch/out"
printf 'Nombre: (1 <= x <= 120) Edad: (1 <= x <= 120) Edad: (1 <= x <= 120) Edad: \nAna tiene 30 a\xc3\xb1os\n' > "$scratch/expected"
if ! cmp -s "$scratch/expected" "$scratch/out"; then
    echo "expected:"; od -c "$scratch/expected"
    echo "actual:";   od -c "$scratch/out"
    exit 1
fi
