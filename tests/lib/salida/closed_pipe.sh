#!/usr/bin/env bash
# A program whose standard output is a pipe nobody reads any more, with SIGPIPE ignored, is
# told so by every write: it must end with status 1 and say why on standard error. A program
# that only writes meets the closed pipe at its end; one that asks questions meets it right
# after its first prompt, whose flush succeeded.
# (On /dev/full, every program's cases check the same: see the stdout-full tests.)
# Usage: closed_pipe.sh <program that writes to standard output> [typed input]
set -u
program=$1
input=${2:-}
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT

if [ -z "$input" ]; then
    # The reader ends at once; the program starts writing only well after.
    { trap '' PIPE; sleep 0.5; exec "$program" 2> "$errors"; } | true
    status=${PIPESTATUS[0]}
else
    # The reader takes the first prompt and ends; the answers come only after that.
    { sleep 0.5; printf '%b' "$input"; } | { trap '' PIPE; exec "$program" 2> "$errors"; } | head -c 1 > /dev/null
    status=${PIPESTATUS[1]}
fi
name=$(basename "$program")
if [ "$status" -ne 1 ] || [ "$(cat "$errors")" != "$name: Broken pipe" ]; then
    echo "expected status 1 and '$name: Broken pipe', got status $status and:"
    cat "$errors"
    exit 1
fi
