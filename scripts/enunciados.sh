#!/bin/sh
# The programs' statements, enunciados/<programa>.md, in Spanish: what to write, what it prints,
# its rules and a sample session. The session is drawn from one of the program's cases by the
# transcript runner (the typed lines in place, as a terminal shows them), never copied by hand:
# the statement names the case on the line before the session's block,
#     <!-- sesión: <caso> -->
#     ```text
#     ...
#     ```
#   enunciados.sh mostrar BUILD PROGRAMA        the statement, for the terminal
#   enunciados.sh actualizar BUILD [PROGRAMA...] draws the sessions again from their cases
#   enunciados.sh comprobar BUILD               fails when a program has no statement, or a
#                                               statement's session is not what its case gives
set -eu
cd "$(dirname "$0")/.."
mode=${1:-}
build=${2:-}
[ $# -ge 2 ] && shift 2
runner=$build/tools/transcript

# The program that runs a case: the program itself, or the driver its program file names.
runs() {
    if [ -f "casos/$1/$2/program" ]; then
        echo "$build/tests/$(head -n 1 "casos/$1/$2/program")"
    else
        echo "$build/bin/$1"
    fi
}

# The case a statement names, and its session's block, as it stands in the file.
case_of() { sed -n 's/^<!-- sesión: \(.*\) -->$/\1/p' "$1" | head -n 1; }
block_of() {
    awk '/^<!-- sesión: .* -->$/ { marked = 1; next }
         marked && /^```/ { if (inside) exit; inside = 1; next }
         inside { print }' "$1"
}

case $mode in
mostrar)
    file=enunciados/$1.md
    [ -f "$file" ] || { echo "no hay enunciado de «$1»; make list muestra los programas" >&2; exit 2; }
    sed '/^<!-- sesión: .* -->$/d' "$file"
    ;;
actualizar)
    [ $# -gt 0 ] || set -- $(sh scripts/indice.sh programas | cut -f1)
    for name in "$@"; do
        file=enunciados/$name.md
        [ -f "$file" ] || continue
        chosen=$(case_of "$file")
        [ -n "$chosen" ] || { echo "$file names no case for its session"; exit 1; }
        session=$(mktemp)
        if ! "$runner" --session "$(runs "$name" "$chosen")" "casos/$name/$chosen" > "$session"; then
            rm -f "$session"; echo "$file: its case casos/$name/$chosen does not run"; exit 1
        fi
        awk -v session="$session" '
            /^<!-- sesión: .* -->$/ { print; marked = 1; next }
            marked && /^```/ && !inside { print; inside = 1
                while ((getline line < session) > 0) print line
                next }
            inside && /^```/ { inside = 0; marked = 0; print; next }
            inside { next }
            { print }' "$file" > "$file.nuevo"
        mv "$file.nuevo" "$file"
        rm -f "$session"
    done
    ;;
comprobar)
    status=0
    stored=$(mktemp)
    trap 'rm -f "$stored"' EXIT
    for name in $(sh scripts/indice.sh programas | cut -f1); do
        file=enunciados/$name.md
        if [ ! -f "$file" ]; then
            echo "$name has no statement: write $file"; status=1; continue
        fi
        chosen=$(case_of "$file")
        if [ -z "$chosen" ] || [ ! -d "casos/$name/$chosen" ]; then
            echo "$file names no case of $name for its session (<!-- sesión: <caso> -->): «$chosen»"; status=1; continue
        fi
        block_of "$file" > "$stored"
        if ! out=$("$runner" --session-matches "$(runs "$name" "$chosen")" "casos/$name/$chosen" "$stored"); then
            echo "$file: its session is not what casos/$name/$chosen gives (sh scripts/enunciados.sh actualizar $build $name draws it again):"
            printf '%s\n' "$out"; status=1
        fi
    done
    exit $status
    ;;
*)
    echo "usage: $0 mostrar BUILD PROGRAMA | actualizar BUILD [PROGRAMA...] | comprobar BUILD" >&2
    exit 2
    ;;
esac
