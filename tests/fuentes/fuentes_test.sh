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
while IFS=$'\t' read -r file program extra text; do
    case $file in '#'*|'') continue ;; esac
    if [ "$extra" = MEMORIA=1 ] && ! command -v valgrind > /dev/null; then
        echo "skipped $file: valgrind is not installed"
        continue
    fi
    [ "$extra" = - ] && extra=
    output=$(make -s -C "$source" check BUILD="$build" P="$program" FUENTE="$here/$file" $extra 2>&1)
    if ! grep -qF -- "$text" <<< "$output"; then
        echo "FAIL: $file: no «$text» in:"; echo "$output"; failures=$((failures + 1))
    fi
done < "$here/explicaciones.txt"
exit $(( failures > 0 ))
