#!/bin/sh
# make web: the course's site, static files only, in <build-folder>/web/. Installs the pinned
# npm packages (npm.sh), builds the programs for WebAssembly when tools/web/wasm.sh is there
# (it says in one line what is missing, if anything), then writes the pages (sitio.mjs).
#   sitio.sh <build-folder>
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
mkdir -p "$1"
build=$(cd "$1" && pwd)
command -v node > /dev/null || { echo "make web: falta node (Debian y Ubuntu: sudo apt install nodejs npm)" >&2; exit 1; }
stage=$(sh "$here/npm.sh" "$build")
if [ -f "$here/wasm.sh" ]; then
    sh "$here/wasm.sh" "$build"
else
    echo "[make web] sin tools/web/wasm.sh: las páginas se leen, pero sus terminales no tienen programas que ejecutar"
fi
node "$stage/sitio.mjs" "$root" "$build"
