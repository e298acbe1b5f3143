#!/usr/bin/env bash
# The transcript tools against deliberately wrong programs and case folders: the checker must
# catch each usual mistake with its one-line hint, the runner must reject a case folder that
# would check nothing, and neither may leave a scratch folder behind after a passing run.
# Usage: tools_test.sh <build-folder> <source-folder>
set -u
build=$1
source=$2
check=$build/tools/comprobar
runner=$build/tools/transcript
# The wrappers below run the course's own programs, which the sandbox would hide from them.
checking=(--sin-caja --casos "$source/casos" --plataforma "$build/tests/platform.txt")
addup=$build/bin/addup
agemenu=$build/bin/agemenu
tallysave=$build/bin/tallysave
# Built with the sanitizers, the programs need their terabytes of address space, also when a
# wrapper script runs them.
grep -q __asan_init "$addup" && checking+=(--memoria 0)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The tools make their scratch folders here, where they can be counted.
export TMPDIR=$scratch/tmp
mkdir "$TMPDIR"
failures=0
scratchFolders() { find "$TMPDIR" -mindepth 1 -maxdepth 1 | wc -l; }

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A wrong version of a program: a script that runs the real one and alters what it prints.
# (A pipeline hides from the runner that the program waits for input: alter only programs
# that read nothing.)
wrapper() {  # name, then the commands
    printf '#!/bin/bash\nset -o pipefail\n%s\n' "$2" > "$scratch/$1"
    chmod +x "$scratch/$1"
}
# The programs' paths as the wrappers' shell must see them: quoted (folders may hold spaces).
qaddup=$(printf '%q' "$addup")
qagemenu=$(printf '%q' "$agemenu")
qtallysave=$(printf '%q' "$tallysave")
failing=0  # the failing cases the checker has shown, each of which keeps its scratch folder

# expect <status> <text> <program> <executable>: the checker's status and a line it prints.
expect() {
    local want=$1 text=$2 status
    output=$("$check" "${checking[@]}" "${@:5}" "$3" "$4" 2>&1)
    status=$?
    failing=$((failing + $(grep -c '^✗' <<< "$output")))
    if [ "$status" != "$want" ]; then
        fail "$3 with $4: status $status, expected $want"; echo "$output"; return
    fi
    if ! grep -qF -- "$text" <<< "$output"; then
        fail "$3 with $4: no line with «$text»"; echo "$output"
    fi
}

expect 0 "1 de 1 casos correctos" addup "$addup"
wrapper one-byte "$qaddup | sed 's/55/56/'"
expect 1 "0 de 1 casos correctos" addup "$scratch/one-byte"
expect 1 "columna 13" addup "$scratch/one-byte"
wrapper no-final-newline "$qaddup | head -c -1"
expect 1 "Pista: falta el salto de línea (\\n) del final." addup "$scratch/no-final-newline"
wrapper extra-newline "$qaddup; echo"
expect 1 "Pista: sobra un salto de línea (\\n) al final." addup "$scratch/extra-newline"
wrapper trailing-blank "$qaddup | sed 's/55\$/55 /'"
expect 1 "Pista: solo difieren los espacios en blanco" addup "$scratch/trailing-blank"
wrapper blank-line "$qaddup | sed '1d'"
expect 1 "Pista: falta una línea en blanco." addup "$scratch/blank-line"
wrapper no-bell "$qtallysave \"\$@\" | tr -d '\\a'"
expect 1 "Pista: falta el pitido" tallysave "$scratch/no-bell"
wrapper status-only "$qaddup; exit 3"
expect 1 "Pista: solo difiere el estado de salida" addup "$scratch/status-only"
# Two things differ: each proved fault gets its hint, and none says it is the only one.
wrapper two-faults "$qaddup | head -c -1; exit 3"
expect 1 "Pista: falta el salto de línea (\\n) del final." addup "$scratch/two-faults"
grep -q "solo difiere" <<< "$output" && fail "«solo difiere» said when two things differ: $output"
# A script that runs the program as its child, not in its place: the child gets every line.
wrapper child "$qagemenu; exit \$?"
expect 0 "9 de 9 casos correctos" agemenu "$scratch/child"
wrapper killed 'kill -SEGV $$'
expect 1 "señal SIGSEGV" addup "$scratch/killed"
wrapper endless 'sleep 30'
expect 1 "no terminó en 1,00 s" addup "$scratch/endless" --tiempo 1
# Its output reaches the screen only at the end, as a program's without fflush does: the
# prompt is missing while it waits, and with the input given at once all is right.
wrapper silent "held=\$(mktemp); $qagemenu > \"\$held\"; status=\$?; cat \"\$held\"; rm -f \"\$held\"; exit \$status"
expect 1 "falta fflush(stdout) antes de leer." agemenu "$scratch/silent"
# Waits for a line the case does not give: no flush is missing there.
wrapper reads-on "read -r more; $qaddup"
expect 1 "esperó la línea 1 de la entrada, y el caso solo da 0" addup "$scratch/reads-on"
expect 2 "no es un programa ejecutable" addup "$scratch/nothing-here"
# An executable for another architecture: only its header is needed to tell.
printf '\177ELF\002\001\001\000\000\000\000\000\000\000\000\000\002\000\267\000' > "$scratch/arm64"
chmod +x "$scratch/arm64"
expect 1 "es un ejecutable de Linux para ARM de 64 bits" addup "$scratch/arm64"
expect 2 "El curso no tiene casos de «nada»" nada "$addup"
expect 2 "se omite" peekmod "$addup"
# Each failing case above keeps its scratch folder, named in its output; the passing one not.
kept=$(scratchFolders)
[ "$kept" -eq "$failing" ] || fail "$kept scratch folders kept for $failing failing cases"
rm -rf "${TMPDIR:?}"/*

# The course's own build passes every case the checker can run.
rm -rf "${TMPDIR:?}"/*
for folder in "$source"/casos/*/; do
    name=$(basename "$folder")
    [ -x "$build/bin/$name" ] || continue
    # Only cases of the program itself: those a driver runs are skipped.
    find "$folder" -mindepth 1 -maxdepth 1 -type d | while read -r c; do [ -f "$c/program" ] || echo x; done | grep -q x || continue
    output=$("$check" "${checking[@]}" "$name" "$build/bin/$name" 2>&1) || { fail "course's $name"; echo "$output"; }
done

# A case folder whose expected output is misspelt fails, naming the folder and the file.
mkdir -p "$scratch/misspelt"
printf 'x\n' > "$scratch/misspelt/stdin"
printf 'x\n' > "$scratch/misspelt/stdot"
output=$("$runner" "$addup" "$scratch/misspelt")
if [ $? -eq 0 ] || ! grep -q "misspelt holds an unknown file: stdot" <<< "$output"; then
    fail "a case folder with a misspelt stdout: $output"
fi
rm "$scratch/misspelt/stdot"
output=$("$runner" "$addup" "$scratch/misspelt")
if [ $? -eq 0 ] || ! grep -q "misspelt has no expected output" <<< "$output"; then
    fail "a case folder without stdout: $output"
fi

# A file the case expects and the program does not write is reported.
cp -r "$source/casos/addup/suma-de-uno-a-diez" "$scratch/wants-a-file"
chmod -R u+w "$scratch/wants-a-file"  # the checkout may be read-only
mkdir "$scratch/wants-a-file/expect"
printf 'x\n' > "$scratch/wants-a-file/expect/resultado.txt"
output=$("$runner" "$addup" "$scratch/wants-a-file")
if [ $? -eq 0 ] || ! grep -q "did not write resultado.txt" <<< "$output"; then
    fail "a missing expected file: $output"
fi
rm -rf "${TMPDIR:?}"/*

# What the judge must not let pass: one case folder and one wrong program for each check.
# expectRun <status> <text> <program> <case>: the runner's status and a line it prints.
expectRun() {
    output=$("$runner" "$3" "$4" 2>&1)
    local status=$?
    if [ "$status" != "$1" ] || ! grep -qF -- "$2" <<< "$output"; then
        fail "$3 on $(basename "$4"): status $status, expected $1 with «$2»"; echo "$output"
    fi
}
# (Programs of its own, not the course's: a sanitized build's runs through a script would be
# held to a memory limit they cannot start under.)
judged=$scratch/judged
mkdir -p "$judged/expect"
printf 'hola\n' > "$judged/stdout"
printf '1\n' > "$judged/status"
printf 'notas.txt\n' > "$judged/absent"
printf 'x\n' > "$judged/expect/resultado.txt"
wrapper right "echo hola; printf 'x\\n' > resultado.txt; exit 1"
expectRun 0 "" "$scratch/right" "$judged"
# One non-zero status is not another.
wrapper other-status "echo hola; printf 'x\\n' > resultado.txt; exit 2"
expectRun 1 "exit status 2, expected 1" "$scratch/other-status" "$judged"
# A file the case says must not be there.
wrapper leaves-a-file "echo hola; printf 'x\\n' > resultado.txt; : > notas.txt; exit 1"
expectRun 1 "the file notas.txt should not exist" "$scratch/leaves-a-file" "$judged"
# A written file with more at its end than expected.
wrapper writes-more "echo hola; printf 'x\\ny' > resultado.txt; exit 1"
expectRun 1 "the file resultado.txt differs" "$scratch/writes-more" "$judged"

# A statement's session is checked whole, and with the typed lines where they were given, also
# when a placeholder before them (or just before them) is shorter than the number it stands for.
mkdir -p "$scratch/statement/exact" "$scratch/statement/pattern"
printf 'uno\nAna\n' > "$scratch/statement/exact/stdin"
cp "$scratch/statement/exact/stdin" "$scratch/statement/pattern/stdin"
printf 'p = 0x1234567\n' > "$scratch/statement/exact/stdout"
printf '¿Nombre? Hola Ana\n' >> "$scratch/statement/exact/stdout"
printf 'p = {{p:a}}\n¿Nombre? Hola Ana\n' > "$scratch/statement/pattern/stdout.pat"
printf '#!/bin/bash\nprintf "p = 0x1234567"; read -r x; printf "\\n¿Nombre? "; read -r y; printf "Hola %%s\\n" "$y"\n' \
    > "$scratch/statement/asks"
chmod +x "$scratch/statement/asks"
printf 'p = 0x1234567uno\n\n¿Nombre? Ana\nHola Ana\n' > "$scratch/statement/session"
for kind in exact pattern; do
    "$runner" --session-matches "$scratch/statement/asks" "$scratch/statement/$kind" "$scratch/statement/session" > /dev/null ||
        fail "the $kind session of a statement is not recognised"
done
printf 'p = 0x1234567uno\n\n¿Nombre? Ana\nHola Ann\n' > "$scratch/statement/session"
"$runner" --session-matches "$scratch/statement/asks" "$scratch/statement/exact" "$scratch/statement/session" > /dev/null &&
    fail "a statement's session with another letter is taken for its case's"
rm -rf "${TMPDIR:?}"/*

# Numbers in case files are read strictly, and anything in a case tree that is no case is
# listed with why.
cp -r "$source/casos/addup/suma-de-uno-a-diez" "$scratch/status-in-words"
chmod -R u+w "$scratch/status-in-words"
printf 'uno\n' > "$scratch/status-in-words/status"
output=$("$runner" "$addup" "$scratch/status-in-words")
if [ $? -eq 0 ] || ! grep -q "its status is no exit status" <<< "$output"; then
    fail "a status that is no number: $output"
fi
mkdir -p "$scratch/tree/addup"
cp -r "$source/casos/addup/suma-de-uno-a-diez" "$scratch/tree/addup/"
chmod -R u+w "$scratch/tree"
touch "$scratch/tree/addup/notas.txt"
output=$("$runner" --list "$scratch/tree")
grep -q "notas.txt.*is no folder" <<< "$output" || fail "a stray file in a case tree is not listed: $output"

# Passing runs, the output sweep, and the course's own build above, leave no scratch folder.
"$runner" "$addup" "$source/casos/addup/suma-de-uno-a-diez" > /dev/null || fail "addup's case"
if [ -e /dev/full ]; then
    "$runner" --stdout-full "$addup" "$source/casos/addup/suma-de-uno-a-diez" > /dev/null || fail "addup's output sweep"
fi
[ "$(scratchFolders)" -eq 0 ] || fail "passing cases left scratch folders: $(ls "$TMPDIR")"

# The sweeps reject a program that says the right words with the wrong status: on /dev/full,
# status 2; out of memory, «No queda memoria libre» and status 0. The same with status 1
# passes, so the status alone is what is caught.
mkdir -p "$scratch/sweep/ok"
printf 'ok\n' > "$scratch/sweep/ok/stdout"
sweep() {  # what, the runner's status wanted, then its arguments
    local what=$1 want=$2 got
    shift 2
    "$runner" "$@" "$scratch/sweep/ok" > "$scratch/sweep/log" 2>&1
    got=$?
    [ "$got" = "$want" ] || { fail "$what: runner status $got, expected $want"; cat "$scratch/sweep/log"; }
}
for status in 1 2; do
    printf '#!/bin/sh\necho "full%s: No space left on device" >&2\nexit %s\n' "$status" "$status" > "$scratch/sweep/full$status"
    chmod +x "$scratch/sweep/full$status"
    [ -e /dev/full ] && sweep "output sweep, status $status" $((status - 1)) --stdout-full "$scratch/sweep/full$status"
done
for status in 1 0; do
    printf '#include <stdio.h>\n#include <stdlib.h>\nint main(void) {\n    char *p = malloc(100);\n    if (p == NULL) {\n        printf("\\nNo queda memoria libre\\n");\n        return %d;\n    }\n    free(p);\n    printf("ok\\n");\n    return 0;\n}\n' "$status" > "$scratch/sweep/out$status.c"
    cc "$scratch/sweep/out$status.c" -o "$scratch/sweep/out$status" || fail "cannot compile the sweep's program"
    [ -f "$build/tools/failalloc.so" ] &&
        sweep "allocation sweep, «No queda memoria libre» with status $status" $((1 - status)) \
              --alloc-sweep "$build/tools/failalloc.so" "$scratch/sweep/out$status"
done
rm -rf "${TMPDIR:?}"/*

exit $(( failures > 0 ))
