#!/usr/bin/env bash
# Runs ageheight, decodes its output from Mac OS Roman to UTF-8 and checks the Spanish text.
# Usage: mac_roman.sh <ageheight program>
set -eu
program=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

printf '20\n1.75\n' | "$program" > "$scratch/out"
iconv -f MACINTOSH -t UTF-8 "$scratch/out" > "$scratch/decoded"
printf 'D\xc3\xadgame su edad  (a\xc3\xb1os)   : D\xc3\xadgame su talla (metros) : Tiene usted 20 a\xc3\xb1os y mide 175.00 cm.\n' > "$scratch/expected"
if ! cmp -s "$scratch/expected" "$scratch/decoded"; then
    echo "expected:"; od -c "$scratch/expected"
    echo "actual (decoded):"; od -c "$scratch/decoded"
    exit 1
fi
