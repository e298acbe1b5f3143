#!/usr/bin/env bash
# Three cheats graded by make corregir beside an honest submission, on a copy of addup's
# cases: reading the expected output through the processes in sight, overwriting it, and
# running the course's own program. Without the sandbox each cheat works (so the test proves
# something), yet the honest submission, checked after them, still passes: every case was read
# before the first submission ran. In the sandbox every cheat fails, and the cases are intact.
# Usage: trampas_test.sh <source-folder> <build-folder>
set -u
source=$1
build=$2
if ! command -v bwrap > /dev/null || ! bwrap --unshare-all --ro-bind / / true 2> /dev/null; then
    echo "bubblewrap is not installed or cannot make namespaces here: no sandbox to test"
    exit 77
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
unset MAKEFLAGS MFLAGS MAKELEVEL
status=0
# Built with the sanitizers, addup needs its terabytes of address space, also when the cheat's
# script runs it.
sanitized=()
grep -q __asan_init "$build/bin/addup" && sanitized=(LIMITE_MEMORIA=0)

grade() {  # label, then make's extra variables
    local label=$1
    shift
    rm -rf "$scratch/trampas-casos" "$scratch/notas"
    mkdir -p "$scratch/trampas-casos"
    cp -r "$source/casos/addup" "$scratch/trampas-casos/"
    chmod -R u+w "$scratch/trampas-casos"  # the checkout may be read-only
    if ! make -s -C "$source" corregir P=addup BUILD="$build" ENTREGAS="$source/tests/trampas/entregas" \
            CASOS="$scratch/trampas-casos" SOLO_CASOS=1 NOTAS="$scratch/notas" "${sanitized[@]}" "$@" > "$scratch/$label.log" 2>&1; then
        echo "$label: make corregir failed:"; cat "$scratch/$label.log"; status=1
    fi
}

marks() {  # the student's cases passed, from notas.csv
    awk -F';' -v who="$1" '$1 == who { print $3 }' "$scratch/notas/notas.csv"
}

# One at a time, in the order of their names: the honest one (zoe-honesta) comes after the cheat
# that rewrites the cases, and the cheat that reads them before it.
grade sin-caja SIN_CAJA=1 TRABAJOS=1
for cheat in lee-los-casos usa-el-del-curso; do
    [ "$(marks "$cheat")" = 1 ] || { echo "unsandboxed, the cheat $cheat did not work: the test proves nothing"; cat "$scratch/notas/retroalimentacion/$cheat.txt"; status=1; }
done
grep -q '^trampa$' "$scratch"/trampas-casos/addup/*/stdout ||
    { echo "unsandboxed, reescribe-los-casos did not reach the cases: the test proves nothing"; status=1; }
[ "$(marks zoe-honesta)" = 1 ] ||
    { echo "a submission rewrote the cases and the honest one checked after it failed"; cat "$scratch/sin-caja.log"; status=1; }

grade caja
grep -q 'caja de arena (bubblewrap)' "$scratch/caja.log" || { echo "not sandboxed:"; cat "$scratch/caja.log"; status=1; }
for cheat in lee-los-casos reescribe-los-casos usa-el-del-curso; do
    [ "$(marks "$cheat")" = 0 ] || { echo "in the sandbox, the cheat $cheat passed"; cat "$scratch/caja.log"; status=1; }
done
[ "$(marks zoe-honesta)" = 1 ] || { echo "in the sandbox, the honest submission failed"; cat "$scratch/caja.log"; status=1; }
if grep -q trampa "$scratch"/trampas-casos/addup/*/stdout; then
    echo "in the sandbox, a submission rewrote the cases"; status=1
fi
exit $status
