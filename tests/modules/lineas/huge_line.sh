#!/usr/bin/env bash
# A line longer than the memory left: each program must say that no memory is left and end
# with status 1, instead of listing the lines before it as if the file ended there.
# Usage: huge_line.sh <sanitized: 1 or 0> <program>...
set -eu
if [ "$1" = 1 ]; then
    echo "skipped: the sanitizers cannot run under an address-space limit"
    exit 77
fi
shift
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"

# Two short lines, then one of almost 48 MiB of NUL bytes: a sparse file, nothing is written.
# The reader's buffer doubles as it grows, so this line needs 64 MiB, more than the limit.
printf 'uno\ndos\n' > grande.txt
truncate -s 48M grande.txt
limit_kib=$((64 << 10))
printf '¿Cual es la ruta del fichero?  \nNo queda memoria libre\n' > expected

failed=0
for program in "$@"; do
    status=0
    printf 'grande.txt\n' | (ulimit -v "$limit_kib" && exec "$program") > actual || status=$?
    if [ "$status" != 1 ] || ! cmp -s expected actual; then
        echo "FAIL: $(basename "$program") ended with status $status (expected 1)"
        echo "expected:"; od -c expected
        echo "actual:";   od -c actual | head -20
        failed=1
    fi
done
[ "$failed" = 0 ] && echo "ok"
exit "$failed"
