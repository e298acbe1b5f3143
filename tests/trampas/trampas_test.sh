#!/usr/bin/env bash
# A class of small hostile submissions graded by make corregir beside an honest one, on a copy
# of addup's cases and one more case that gives files and expects them back intact. Each cheat
# prints the right output only when its attack worked, so a mark above 0 is an attack that
# worked; each bounds itself (alarm, at most 300 processes, 48 MiB of files), so that a broken
# checker cannot take the machine down.
#
# First, without the box, three cheats that read the cases, rewrite them and run the course's
# program all work (so the test proves something), yet the honest submission, checked after
# them, still passes: every case was read before the first submission ran. Then in the box the
# whole class gets 0 and the honest one full marks, each cheat is stopped by what it names
# (memory, disk, processor, the compile's time, a link), nothing is left running or written
# outside, and, graded as root with control groups, the grading's own peak of memory and of
# processes, measured from outside, stay within the limits.
# Usage: trampas_test.sh <source-folder> <build-folder>
set -u
source=$1
build=$2
if ! command -v bwrap > /dev/null || ! bwrap --unshare-all --ro-bind / / true 2> /dev/null; then
    echo "bubblewrap is not installed or cannot make namespaces here: no sandbox to test"
    exit 77
fi
scratch=$(mktemp -d)
outer=()  # the control groups that measure a grading from outside, while there is one
cleanup() {
    # The checker's own groups go inside the test's; a checker stopped halfway leaves them.
    for group in "${outer[@]}"; do rmdir "$group"/comprobar-* "$group" 2> /dev/null; done
    [ -n "${TRAMPAS_KEEP:-}" ] || rm -rf "$scratch"; [ -n "${TRAMPAS_KEEP:-}" ] && echo "kept $scratch"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
# Graded as root, the cheats run as nobody: without the box they must still reach the cases.
chmod 755 "$scratch"
unset MAKEFLAGS MFLAGS MAKELEVEL
status=0
fail() { echo "$1"; status=1; }
cheats=$source/tests/trampas/entregas
expected=$source/casos/addup/suma-de-uno-a-diez/stdout

# The cases: addup's, and (keep=1) one that gives two files and expects them intact, where a
# link in place of a file must not pass.
cases() {
    rm -rf "$scratch/casos-de-trampas"
    mkdir -p "$scratch/casos-de-trampas"
    cp -r "$source/casos/addup" "$scratch/casos-de-trampas/"
    chmod -R u+w "$scratch/casos-de-trampas"  # the checkout may be read-only
    if [ "$1" = keep ]; then
        local c=$scratch/casos-de-trampas/addup/devuelve-sus-archivos
        mkdir -p "$c/files" "$c/expect"
        cp "$expected" "$c/stdout"
        for name in nota.txt sombra; do
            printf '%s\n' "$name" > "$c/files/$name"
            cp "$c/files/$name" "$c/expect/$name"
        done
    fi
    chmod -R a+rwX "$scratch/casos-de-trampas"  # the unboxed cheat rewrites them, as nobody
}

# As root with version 1 control groups, a grading runs in groups of the test's own, which
# measure its peak of memory and of processes and show what it leaves running.
measurable=
if [ "$(id -u)" -eq 0 ] && [ -w /sys/fs/cgroup/memory/cgroup.procs ] && [ -w /sys/fs/cgroup/pids/cgroup.procs ]; then
    measurable=1
fi
groupOf() {  # controller: this shell's group in its hierarchy
    awk -F: -v c="$1" '{ n = split($2, names, ","); for (i = 1; i <= n; i++) if (names[i] == c) print $3 }' /proc/self/cgroup
}

grade() {  # label, submissions, then make's extra variables
    local label=$1 submissions=$2
    shift 2
    rm -rf "$scratch/notas"
    local memory="" pids=""
    if [ -n "$measurable" ]; then
        memory=/sys/fs/cgroup/memory$(groupOf memory)/trampas-$$-$label
        pids=/sys/fs/cgroup/pids$(groupOf pids)/trampas-$$-$label
        mkdir "$memory" "$pids" && outer+=("$memory" "$pids")
    fi
    # The teacher's cases are shown whole (MOSTRAR_OCULTOS=1): the test reads what each cheat was told.
    if ! ( if [ -n "$measurable" ]; then echo "$BASHPID" > "$memory/cgroup.procs"; echo "$BASHPID" > "$pids/cgroup.procs"; fi
           exec make -s -C "$source" corregir P=addup BUILD="$build" ENTREGAS="$submissions" \
               CASOS="$scratch/casos-de-trampas" SOLO_CASOS=1 MOSTRAR_OCULTOS=1 NOTAS="$scratch/notas" "$@" ) > "$scratch/$label.log" 2>&1; then
        fail "$label: make corregir failed:"; cat "$scratch/$label.log"
    fi
    if [ -n "$measurable" ]; then
        peak=$(( $(cat "$memory/memory.max_usage_in_bytes") >> 20 ))
        processes=$(cat "$pids/pids.peak" 2> /dev/null || echo "?")
        left=$(cat "$memory/cgroup.procs" "$pids/cgroup.procs")
        [ -z "$left" ] || fail "$label: the grading left processes running: $left"
        echo "$label: the whole grading peaked at $peak MiB and $processes processes"
    fi
}

marks() {  # the student's cases passed, from notas.csv
    awk -F';' -v who="$1" '$1 == who { print $3 }' "$scratch/notas/notas.csv"
}
# Whatever a submission started ends with its run: nothing of deja-un-hijo is still running.
leftBehind() {
    # A child left behind lives 15 s: one still there after 5 s was never killed, while a busy
    # machine may take a moment to end one that was.
    local waited
    for waited in 1 2 3 4 5 6 7 8 9 10; do
        pgrep -x trampa-sigue > /dev/null || return 0
        sleep 0.5
    done
    if pgrep -x trampa-sigue > /dev/null; then
        fail "$1: a child of deja-un-hijo is still running"
        pkill -x trampa-sigue
    fi
}
told() {  # student, then what their feedback must say
    grep -q -- "$2" "$scratch/notas/retroalimentacion/$1.txt" ||
        { fail "$1 was not told «$2»:"; cat "$scratch/notas/retroalimentacion/$1.txt"; }
}

# Without the box: one at a time, in the order of their names, the honest one (zoe-honesta)
# after the cheat that rewrites the cases and the one that reads them.
mkdir "$scratch/sin-caja"
for student in deja-un-hijo lee-los-casos reescribe-los-casos usa-el-del-curso zoe-honesta; do
    cp -r "$cheats/$student" "$scratch/sin-caja/"
done
chmod -R u+w "$scratch/sin-caja"
# Built with the sanitizers, addup needs its terabytes of address space, also when the cheat's
# script runs it.
sanitized=()
grep -q __asan_init "$build/bin/addup" && sanitized=(LIMITE_MEMORIA=0)
cases plain
grade sin-caja "$scratch/sin-caja" SIN_CAJA=1 TRABAJOS=1 "${sanitized[@]}"
for cheat in lee-los-casos usa-el-del-curso; do
    [ "$(marks "$cheat")" = 1 ] || { fail "unsandboxed, the cheat $cheat did not work: the test proves nothing"; cat "$scratch/notas/retroalimentacion/$cheat.txt"; }
done
grep -q '^trampa$' "$scratch"/casos-de-trampas/addup/*/stdout ||
    fail "unsandboxed, reescribe-los-casos did not reach the cases: the test proves nothing"
[ "$(marks zoe-honesta)" = 1 ] ||
    { fail "a submission rewrote the cases and the honest one checked after it failed"; cat "$scratch/sin-caja.log"; }
leftBehind "without the box"

# In the box, the whole class, two at a time. The output limit is exactly the right output's
# size (which must pass); the processor limit is 1 s, the compile's 8 s; the wall time, 30 s, so
# that on a busy machine the processor's limit is still the one that stops a computation.
cases keep
cap=$(awk -v n="$(wc -c < "$expected")" 'BEGIN { printf "%.20f", n / 1048576 }')
grade caja "$cheats" TRABAJOS=2 LIMITE_TIEMPO=30 LIMITE_CPU=1 LIMITE_COMPILACION=8 LIMITE_SALIDA="$cap"
log=$scratch/caja.log
grep -q 'caja de arena (bubblewrap)' "$log" || { fail "not sandboxed:"; cat "$log"; }
[ "$(marks zoe-honesta)" = 2 ] || { fail "in the box, the honest submission failed"; cat "$log" "$scratch/notas/retroalimentacion/zoe-honesta.txt"; }
grouped=
grep -q 'para todos sus procesos juntos' "$log" && grouped=1
for folder in "$cheats"/*/; do
    cheat=$(basename "$folder")
    [ "$cheat" = zoe-honesta ] && continue
    # Without a control group nothing bounds six processes that each keep within their own
    # limit: the checker says so (proceso a proceso), and this cheat is not expected to fail.
    [ "$cheat" = seis-hijos ] && [ -z "$grouped" ] && { echo "no control group here: $cheat is bounded by processes × memory only"; continue; }
    [ "$(marks "$cheat")" = 0 ] || { fail "in the box, the cheat $cheat passed"; cat "$scratch/notas/retroalimentacion/$cheat.txt"; }
done
[ -n "$grouped" ] && told seis-hijos "MiB de memoria entre todos sus procesos"
told llena-la-carpeta "MiB en su carpeta"
told calcula-sin-fin "calculó más de 1 s"
told compila-sin-fin "la compilación pasó de 8"
told enlaza-lo-esperado "el archivo nota.txt es un enlace"
told incluye-dev-zero "la compilación pasó de"  # its memory, or on a busy machine its time
grep -q trampa "$scratch"/casos-de-trampas/addup/*/stdout && fail "in the box, a submission rewrote the cases"
grep -l 'root:' "$scratch"/notas/retroalimentacion/*.txt && fail "a feedback file shows a line of /etc/shadow"
# Nothing left behind: no process, no file outside the working folders.
leftBehind "in the box"
for planted in /usr/local/include/trampa-de-la-caja.h /etc/trampa-de-la-caja /tmp/trampa-relleno-0; do
    [ -e "$planted" ] && { fail "a submission wrote $planted"; rm -f "$planted"; }
done
if [ -n "$measurable" ]; then
    # Two compiles at once of at most 1 GiB each, with the checker and make around them; and
    # two runs' processes (16 each, and the box's own three) with make's own.
    [ "$peak" -lt 2560 ] || fail "the grading took $peak MiB in all: a limit of memory did not hold"
    [ "$processes" = "?" ] || [ "$processes" -lt 100 ] || fail "the grading had $processes processes at once: the limit of processes did not hold"
fi
exit $status
