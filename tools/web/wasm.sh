#!/bin/sh
# Builds every program of the course for the browser: WebAssembly (wasm32-wasi) through the
# project's own CMake with wasm32-wasi.cmake, in <build-folder>/web-build, then binaryen's
# asyncify, so that a program waiting in fd_read can pause until the student types a line and
# go on where it stopped (no Worker, no SharedArrayBuffer: any static host serves it).
#   wasm.sh <build-folder>   leaves <build-folder>/web-wasm/<programa>.wasm, and the case
#                            suite's drivers in <build-folder>/web-wasm-pruebas/
# Without the toolchain it says in one line what the terminals need and exits 0: the readable
# site is built all the same.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
[ $# -eq 1 ] || { echo "uso: sh tools/web/wasm.sh <carpeta-de-compilación>" >&2; exit 2; }
mkdir -p "$1"
build=$(cd "$1" && pwd)
out="$build/web-wasm"
drivers="$build/web-wasm-pruebas"
need="clang, lld, wasi-libc, libc++ y compiler-rt para wasm32 y binaryen (Debian: sudo apt install clang lld wasi-libc libc++-dev-wasm32 libclang-rt-dev-wasm32 binaryen)"

# What is missing shows in a compile of one line of C++ for wasm32-wasi, and in wasm-opt.
probe="$build/web-build-probe"
mkdir -p "$probe"
printf '#include <cstdio>\nint main() { printf("%%ld\\n", 1L); }\n' > "$probe/probe.cpp"
if ! command -v cmake > /dev/null || ! command -v wasm-opt > /dev/null || ! command -v clang++ > /dev/null ||
   ! clang++ --target=wasm32-wasi --sysroot=/usr -fno-exceptions -o "$probe/probe.wasm" "$probe/probe.cpp" > /dev/null 2>&1; then
    rm -rf "$probe"
    echo "Sin terminales: para ejecutar los programas en la página hacen falta $need."
    exit 0
fi
rm -rf "$probe"

generator=""
command -v ninja > /dev/null && [ ! -f "$build/web-build/Makefile" ] && generator="-G Ninja"
# The smallest code: the page downloads it.
# shellcheck disable=SC2086
cmake -S "$top" -B "$build/web-build" $generator -DCMAKE_TOOLCHAIN_FILE="$here/wasm32-wasi.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel > "$build/web-build-configure.log" 2>&1 ||
    { cat "$build/web-build-configure.log"; exit 1; }
jobs=$(nproc 2>/dev/null || echo 2)
out_log=$(cmake --build "$build/web-build" -j "$jobs" --target all peekmod_driver salir_driver 2>&1) ||
    { printf '%s\n' "$out_log"; exit 1; }

# asyncify instruments only what can reach fd_read, the one call that waits for the student.
asyncify() {  # built file, wasm file
    wasm-opt "$1" -O2 --asyncify --pass-arg=asyncify-imports@wasi_snapshot_preview1.fd_read \
        --strip-debug --strip-producers -o "$2.tmp" && mv "$2.tmp" "$2"
}
mkdir -p "$out" "$drivers"
for built in "$build/web-build/bin"/*; do
    name=$(basename "$built")
    [ -f "$out/$name.wasm" ] && [ ! "$built" -nt "$out/$name.wasm" ] && continue
    asyncify "$built" "$out/$name.wasm"
done
for built in "$build/web-build/pruebas"/*; do
    name=$(basename "$built")
    [ -f "$drivers/$name.wasm" ] && [ ! "$built" -nt "$drivers/$name.wasm" ] && continue
    asyncify "$built" "$drivers/$name.wasm"
done
cp "$build/web-build/platform.txt" "$drivers/platform.txt"
echo "$(ls "$out" | wc -l | tr -d ' ') programas para el navegador en $out"
