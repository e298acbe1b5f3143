#!/bin/sh
# Times linedump against cat -n on a generated text file of 2 million lines of 0 to 80
# characters, both writing to /dev/null, and shows linedump's peak memory beside the file size.
#   bench/linedump.sh [BUILD]     BUILD defaults to build (use a build without sanitizers)
set -eu

cd "$(dirname "$0")/.."
build=${1:-build}
program=$build/bin/linedump
if [ ! -x "$program" ]; then
    echo "no $program: build it first with make BUILD=$build" >&2
    exit 1
fi
if [ ! -x /usr/bin/time ]; then
    echo "/usr/bin/time (package time) is needed to measure memory" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
text=$work/lines.txt
measure=$work/measure

# The same file every run: a fixed seed, lengths spread evenly over 0 to 80.
awk 'BEGIN {
    srand(1)
    letters = "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789 ,.;:"
    while (length(letters) < 200) letters = letters letters
    for (i = 0; i < 2000000; i++) {
        size = int(rand() * 81)
        print substr(letters, 1 + int(rand() * 100), size)
    }
}' > "$text"
bytes=$(wc -c < "$text")

# Best wall time of three runs and that run's peak resident memory in KiB.
# The first argument is the file each run reads as its standard input.
best_of_three() {
    input=$1
    shift
    best=
    for run in 1 2 3; do
        /usr/bin/time -f '%e %M' -o "$measure" "$@" < "$input" > /dev/null
        read -r seconds kib < "$measure"
        if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
            best=$seconds
            memory=$kib
        fi
    done
    echo "$best $memory"
}

set -- $(best_of_three /dev/null cat -n "$text")
cat_seconds=$1
printf '%s\n' "$text" > "$work/answer"   # the path linedump asks for
set -- $(best_of_three "$work/answer" "$program")
linedump_seconds=$1
linedump_kib=$2

awk -v c="$cat_seconds" -v l="$linedump_seconds" -v kib="$linedump_kib" -v bytes="$bytes" 'BEGIN {
    printf "file:      2000000 lines, %.1f MiB\n", bytes / 1048576
    printf "cat -n:    %.2f s\n", c
    printf "linedump:  %.2f s\n", l
    printf "ratio:     %.2f (goal: at most 1.5)\n", (c > 0 ? l / c : 0)
    printf "memory:    %.1f MiB peak, %.2f times the file (goal: below 1.6)\n",
           kib / 1024, kib * 1024 / bytes
}'
