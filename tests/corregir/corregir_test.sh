#!/usr/bin/env bash
# make corregir grades a class of agemenu submissions (entregas/, one folder per student, each
# with its own usual mistake): notas.csv must be exactly the expected one, and each student's
# feedback file must hold the texts pistas.txt gives for them (<student><TAB><text>). The class
# is graded twice: as it is, and with a teacher's environment that must change nothing (a
# Spanish locale, Python unbuffered); the programs run in the checker's fixed environment.
# Usage: corregir_test.sh <source-folder> <build-folder>
set -u
source=$1
build=$2
here=$source/tests/corregir
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Not a timing test: the checker's own limits end every run, and this guard only catches a
# hang. The whole class normally takes a few seconds. The conversation's quiet-time fallback
# waits a second on every prompt a submission leaves unflushed (carla's and javier's), which
# adds over a minute by design.
guard=60
[ "${TRANSCRIPT_WAIT:-}" = quiet ] && guard=300

# /usr/bin/time's %M is the largest resident set of any one process of the run (make, the build
# check, the checker, each worker it forks, the compilers, the submissions), not their sum:
# an upper bound on the checker's own peak, which must stay under 100 MB.
timing=()
[ -x /usr/bin/time ] && timing=(/usr/bin/time -f %M -o "$scratch/memory")

grade() {  # label, then the environment's settings for make
    local label=$1 notas=$scratch/notas started elapsed line student text file
    shift
    rm -rf "$notas" "$scratch/memory"
    started=$(date +%s%N)
    if ! env "$@" "${timing[@]}" make -s -C "$source" corregir P=agemenu \
            ENTREGAS="$source/tests/corregir/entregas" NOTAS="$notas" BUILD="$build" > "$scratch/log" 2>&1; then
        fail "$label: make corregir failed"; cat "$scratch/log"; return
    fi
    elapsed=$((($(date +%s%N) - started) / 1000000))
    echo "$label: $((elapsed / 1000)).$(printf '%03d' $((elapsed % 1000))) s"
    if [ "$elapsed" -gt $((guard * 1000)) ]; then
        fail "$label: make corregir took more than $guard s"; cat "$scratch/log"
    fi
    if [ -s "$scratch/memory" ]; then
        line=$(tail -n 1 "$scratch/memory")
        echo "$label: peak resident set $((line / 1024)) MB"
        [ "$line" -lt 102400 ] || fail "$label: a process of the run used $((line / 1024)) MB (limit 100 MB)"
    fi
    if ! cmp -s "$here/notas.csv" "$notas/notas.csv"; then
        fail "$label: notas.csv differs from the expected one (< expected, > written)"
        diff "$here/notas.csv" "$notas/notas.csv"
        cat "$scratch/log"
    fi
    while IFS=$'\t' read -r student text; do
        file=$notas/retroalimentacion/$student.txt
        if [ ! -f "$file" ]; then
            fail "$label: no feedback file for $student"
        elif ! grep -qF -- "$text" "$file"; then
            fail "$label: $student's feedback lacks «$text»:"; cat "$file"
        fi
    done < "$here/pistas.txt"
    # The feedback goes to the students: it names no folder of the teacher's machine.
    if grep -l -F -e "$source" -e "$scratch" "$notas"/retroalimentacion/*.txt; then
        fail "$label: feedback files name the teacher's folders"
    fi
}

grade "as it is"
grade "teacher's environment" LANG=es_ES.UTF-8 LC_ALL=es_ES.UTF-8 PYTHONUNBUFFERED=1
[ "$failures" -eq 0 ] || { echo "$failures failures"; exit 1; }
