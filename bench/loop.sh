#!/bin/sh
# Times the edit-build-run loop as a new user meets it, on a fresh clone in a temporary folder:
#   1. `make run` on the fresh clone until agemenu shows its first prompt (it is given no
#      input, so it ends right there: the whole run is the time to the first prompt);
#   2. `make` with nothing to do (best of five);
#   3. `make test` from clean (after `make clean`), which builds the tests too and runs them.
#   bench/loop.sh [REPOSITORY]     REPOSITORY defaults to this checkout (its committed state)
set -eu

cd "$(dirname "$0")/.."
repository=$(cd "${1:-.}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.2f", b - a }'; }

git clone --quiet "$repository" "$work/curso"
cd "$work/curso"

start=$(now)
make run < /dev/null > "$work/run.out" 2>&1 || true
first_prompt=$(since "$start")
grep -q 'Salir' "$work/run.out" || { echo "make run did not show agemenu's menu:"; cat "$work/run.out"; exit 1; }

make > /dev/null
best=
for run in 1 2 3 4 5; do
    start=$(now)
    make > /dev/null
    seconds=$(since "$start")
    if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
        best=$seconds
    fi
done
nothing_to_do=$best

make clean > /dev/null
start=$(now)
make test > "$work/test.out" 2>&1 || { tail -20 "$work/test.out"; echo "make test failed"; exit 1; }
test_from_clean=$(since "$start")

generator=$(grep '^CMAKE_GENERATOR:' build/CMakeCache.txt | cut -d= -f2)
echo "machine:                     $(nproc) cores, generator $generator"
echo "make run, to first prompt:   $first_prompt s (goal: at most 20 s)"
echo "make, nothing to do:         $nothing_to_do s (goal: at most 0.5 s)"
echo "make test, from clean:       $test_from_clean s (goal: at most 50 s)"
