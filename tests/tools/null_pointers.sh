#!/usr/bin/env bash
# Every case whose output holds a null pointer ({{nil}}) passes with the notation of each C
# library: the course's program runs here (glibc writes "(nil)"), and its very output, with the
# null pointers written as musl and wasi-libc write them ("0") or as macOS does ("0x0") in the
# same field width, is judged by the runner's --judge, as the browser's suite judges its runs.
# A pointer that is not null in their place must fail.
#   null_pointers.sh BUILD SOURCE
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
runner="$build/tools/transcript"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/nulos.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
failures=0
judged=0

# The output with each "(nil)" in its field written otherwise, right-aligned in the same width.
respell() {  # spelling
    perl -pe 's/( *)\(nil\)/sprintf("%*s", length($1) + 5, "'"$1"'")/ge'
}

# A case that spells a null pointer as one C library does holds on that one alone.
while IFS= read -r spelled; do
    echo "FAIL: $spelled writes a null pointer as glibc does: {{nil}} stands for it everywhere"
    failures=$((failures + 1))
done < <(grep -rl --include='stdout*' '(nil)' "$source/casos" | sort)

while IFS= read -r pattern; do
    case=$(dirname "$pattern")
    program=$(basename "$(dirname "$case")")
    [ ! -f "$case/program" ] || continue
    run="$scratch/run"
    rm -rf "$run" && mkdir -p "$run/work"
    [ ! -d "$case/files" ] || cp -R "$case/files/." "$run/work/"
    arguments=()
    [ ! -f "$case/args" ] || mapfile -t arguments < "$case/args"
    input=/dev/null
    [ ! -f "$case/stdin" ] || input="$case/stdin"
    status=0
    (cd "$run/work" && "$build/bin/$program" "${arguments[@]}" < "$input" > "$run/glibc" 2> "$run/stderr") || status=$?
    echo "$status" > "$run/status"
    grep -q '(nil)' "$run/glibc" || { echo "FAIL: $case: the program printed no (nil)"; failures=$((failures + 1)); continue; }
    for spelling in '(nil)' 0 0x0 0x1000; do
        respell "$spelling" < "$run/glibc" > "$run/stdout"
        verdict=0
        "$runner" --judge "$case" "$run" > "$run/verdict" || verdict=$?
        judged=$((judged + 1))
        if [ "$spelling" = 0x1000 ] && [ "$verdict" -ne 1 ]; then
            echo "FAIL: $case: a pointer 0x1000 where the null one goes was taken for it"; failures=$((failures + 1))
        elif [ "$spelling" != 0x1000 ] && [ "$verdict" -ne 0 ]; then
            echo "FAIL: $case with null pointers written $spelling:"; cat "$run/verdict"; failures=$((failures + 1))
        fi
    done
done < <(grep -rl --include=stdout.pat '{{nil}}' "$source/casos" | sort)
[ "$judged" -gt 0 ] || { echo "FAIL: no case of $source/casos prints a null pointer"; exit 1; }
echo "$judged runs judged, $failures failures"
[ "$failures" -eq 0 ]
