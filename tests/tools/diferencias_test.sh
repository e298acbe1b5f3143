#!/usr/bin/env bash
# What the checker shows of a difference, for wrong programs whose differences are hard to read:
# bytes that are no UTF-8 as \xNN, a carriage return seen in the conversation, a 3,000-byte line
# cut around its difference, \r\n on some lines and in a written file, a text in Latin-1, two
# look-alike characters, and the arguments and files the case gives. The checker's words must be
# those of diferencias/esperado.txt (times, scratch folders and the wait mode left out).
# Usage: diferencias_test.sh <build-folder> <source-folder>
set -u
build=$1
here=$2/tests/tools/diferencias
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch
"$build/tools/comprobar" --sin-caja --casos "$here/casos" muestra "$here/muestra.sh" > "$scratch/told" 2>&1
status=$?
sed -e '/^Límites de cada ejecución/d' -e '/^Casos de «/d' -e '/^Conversación /d' -e '/(la carpeta de la prueba queda en /d' \
    -e 's/ ([0-9]*,[0-9]* s)$//' "$scratch/told" > "$scratch/shown"
if [ "$status" != 1 ] || ! cmp -s "$here/esperado.txt" "$scratch/shown"; then
    echo "FAIL: status $status (expected 1); what the checker shows differs from esperado.txt:"
    diff "$here/esperado.txt" "$scratch/shown"
    exit 1
fi
