#!/usr/bin/env bash
# make check FUENTE= on wrong sources: each compile error (or warning) gets its Spanish
# explanation, and MEMORIA=1 finds the out-of-bounds write of a list with its source line
# (skipped without valgrind). The table is explicaciones.txt.
# Usage: fuentes_test.sh <source-folder> <build-folder>
set -u
source=$1
build=$2
here=$source/tests/fuentes
unset MAKEFLAGS MFLAGS MAKELEVEL
failures=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# A correct agemenu of the class's (tests/corregir) whose nodes are allocated too short: its
# list is written past them.
sed 's/malloc(sizeof(struct nodo))/malloc(sizeof(int))/' "$source/tests/corregir/entregas/ana/agemenu.c" > "$scratch/agemenu.c"
cmp -s "$scratch/agemenu.c" "$source/tests/corregir/entregas/ana/agemenu.c" && { echo "FAIL: ana's nodes not found"; exit 1; }
while IFS=$'\t' read -r file program extra text; do
    case $file in '#'*|'') continue ;; esac
    if [ "$extra" = MEMORIA=1 ] && ! command -v valgrind > /dev/null; then
        echo "skipped $file: valgrind is not installed"
        continue
    fi
    [ "$extra" = - ] && extra=
    folder=$here
    [ -f "$here/$file" ] || folder=$scratch
    output=$(make -s -C "$source" check BUILD="$build" P="$program" FUENTE="$folder/$file" $extra 2>&1)
    if ! grep -qF -- "$text" <<< "$output"; then
        echo "FAIL: $file: no «$text» in:"; echo "$output"; failures=$((failures + 1))
    fi
done < "$here/explicaciones.txt"
exit $(( failures > 0 ))
