#!/usr/bin/env bash
# A program whose standard output is full ends with status 1 and says so; the files it still
# had open keep what it wrote to them. (salida ends the program with _exit, which flushes
# nothing: it must flush the other streams itself.)
# Usage: full_output_keeps_files.sh <archivo_abierto>
set -u
program=$1
[ -e /dev/full ] || { echo "this system has no /dev/full"; exit 77; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1

"$program" > /dev/full 2> errors
status=$?
name=$(basename "$program")
if [ "$status" -ne 1 ] || [ "$(cat errors)" != "$name: No space left on device" ]; then
    echo "expected status 1 and '$name: No space left on device', got status $status and:"
    cat errors
    exit 1
fi
if [ "$(cat datos.txt 2>/dev/null)" != "escrito antes de terminar" ]; then
    echo "the open file lost what was written to it:"; od -c datos.txt
    exit 1
fi
