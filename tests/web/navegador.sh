#!/bin/sh
# The browser's tests (CTest label web): builds the programs for the browser (tools/web/wasm.sh,
# again only what changed), installs the pinned npm packages into the build folder
# (tools/web/npm.sh), and runs navegador.mjs from there, where Node finds playwright-core.
# Skipped (77), saying why, where node, npm, chromium or the wasm toolchain is missing.
#   navegador.sh casos|terminal BUILD SOURCE RUNNER
set -eu
mode=$1
mkdir -p "$2"
build=$(cd "$2" && pwd) source=$(cd "$3" && pwd) runner=$4
command -v node > /dev/null || { echo "SKIP: node is missing (Debian: sudo apt install nodejs)"; exit 77; }
command -v npm > /dev/null || { echo "SKIP: npm is missing (Debian: sudo apt install npm)"; exit 77; }
[ -x /usr/bin/chromium ] || { echo "SKIP: /usr/bin/chromium is missing (Debian: sudo apt install chromium)"; exit 77; }
# npm's cache and whatever chromium keeps in a home folder stay in the build folder.
HOME="$build/tmp/web-home" XDG_CONFIG_HOME="$build/tmp/web-home/.config" XDG_CACHE_HOME="$build/tmp/web-home/.cache"
export HOME XDG_CONFIG_HOME XDG_CACHE_HOME
mkdir -p "$HOME"
said=$(sh "$source/tools/web/wasm.sh" "$build")
[ -f "$build/web-wasm-pruebas/salir_driver.wasm" ] || { echo "SKIP: $said"; exit 77; }
stage=$(sh "$source/tools/web/npm.sh" "$build")
cp "$source/tests/web/navegador.mjs" "$stage/"
cd "$stage" && exec node navegador.mjs "$mode" "$build" "$source" "$runner"
