#!/bin/sh
# Times linedump on a generated text file of 2 million lines of 0 to 80 characters against a
# plain C peer doing the same work (bench/linedump_peer.c, built with cc -O2) and against
# cat -n, all writing to /dev/null, and shows linedump's peak memory beside the file size.
# The peer's output must be byte-identical to linedump's, or the script stops.
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
    echo "/usr/bin/time (package time) is needed to measure time and memory" >&2
    exit 1
fi
if ! command -v cc > /dev/null 2>&1; then
    echo "cc is needed to build the C peer" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
text=$work/lines.txt
measure=$work/measure
peer=$work/linedump_peer
cc -O2 -o "$peer" bench/linedump_peer.c

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
answer=$work/answer
printf '%s\n' "$text" > "$answer"   # the path linedump and the peer ask for

# Both must write the very same bytes, or the comparison means nothing.
"$program" < "$answer" > "$work/linedump.out"
"$peer" < "$answer" > "$work/peer.out"
if ! cmp "$work/linedump.out" "$work/peer.out"; then
    echo "FAIL: the C peer's output differs from linedump's" >&2
    exit 1
fi
rm -f "$work/linedump.out" "$work/peer.out"

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

# 11 runs of each, interleaved (linedump, peer, linedump, peer...) so that whatever else the
# machine does falls on both alike. Each run appends "wall user KiB" to its program's file.
: > "$work/linedump.times"
: > "$work/peer.times"
for run in 1 2 3 4 5 6 7 8 9 10 11; do
    /usr/bin/time -f '%e %U %M' -a -o "$work/linedump.times" "$program" < "$answer" > /dev/null
    /usr/bin/time -f '%e %U %M' -a -o "$work/peer.times" "$peer" < "$answer" > /dev/null
done

# The median (the 6th of 11) of one column of a times file.
median() {
    cut -d ' ' -f "$2" "$1" | sort -n | sed -n 6p
}
linedump_wall=$(median "$work/linedump.times" 1)
linedump_user=$(median "$work/linedump.times" 2)
peer_wall=$(median "$work/peer.times" 1)
peer_user=$(median "$work/peer.times" 2)

set -- $(best_of_three /dev/null cat -n "$text")
cat_seconds=$1
set -- $(best_of_three "$answer" "$program")
linedump_seconds=$1
linedump_kib=$2

awk -v lw="$linedump_wall" -v lu="$linedump_user" -v pw="$peer_wall" -v pu="$peer_user" \
    -v c="$cat_seconds" -v l="$linedump_seconds" -v kib="$linedump_kib" -v bytes="$bytes" 'BEGIN {
    printf "file:      2000000 lines, %.1f MiB\n", bytes / 1048576
    printf "medians of 11 interleaved runs each:\n"
    printf "linedump:  wall %.2f s, user %.2f s\n", lw, lu
    printf "C peer:    wall %.2f s, user %.2f s\n", pw, pu
    printf "ratio:     wall %.2f, user %.2f (linedump / peer; goal: wall at most 0.9)\n",
           (pw > 0 ? lw / pw : 0), (pu > 0 ? lu / pu : 0)
    printf "best of three runs each:\n"
    printf "cat -n:    %.2f s\n", c
    printf "linedump:  %.2f s\n", l
    printf "ratio:     %.2f (linedump / cat -n; goal: at most 1.5)\n", (c > 0 ? l / c : 0)
    printf "memory:    %.1f MiB peak, %.2f times the file (goal: below 1.6)\n",
           kib / 1024, kib * 1024 / bytes
}'
