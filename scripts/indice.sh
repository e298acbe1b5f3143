#!/bin/sh
# The course's program index: programs/indice.txt gives the topics, the order and the arguments;
# each program's description is the first line of its own source, so it is written only once.
#   indice.sh lista            the index as `make list` prints it
#   indice.sh tabla            the same as Markdown tables, as LEEME.md holds them
#   indice.sh ejecutable NAME  fails, saying why, unless NAME is a program that can be run
#   indice.sh probado NAME     fails, saying why, unless NAME has tests of its own
#   indice.sh comprobar        fails when the index, the program folders and LEEME.md disagree
#   indice.sh programas        the programs' names and main sources, one per line, tab between
#   indice.sh entradas         every entry: topic, name, kind, source, arguments, description,
#                              tab between (the course's site is built from it)
set -eu
cd "$(dirname "$0")/.."
index=programs/indice.txt

# One line per entry: topic, name, kind (programa, biblioteca, módulo), source, arguments,
# description; fields separated by tabs.
entries() {
    awk -v OFS='\t' '
    function exists(path,    line) {
        if ((getline line < path) > 0) { close(path); return 1 }
        close(path); return 0
    }
    function firstLine(path,    line) {
        line = ""; getline line < path; close(path); return line
    }
    /^#/ || /^[ \t]*$/ { next }
    /^== / { topic = substr($0, 4); next }
    {
        name = $1
        arguments = $0; sub(/^[^ \t]+[ \t]*/, "", arguments)
        kind = "programa"
        if (exists("programs/" name "/" name ".cpp")) source = "programs/" name "/" name ".cpp"
        else if (exists("programs/" name "/" name ".c")) source = "programs/" name "/" name ".c"
        else if (exists("menu/" name ".cpp")) source = "menu/" name ".cpp"
        else if (exists("lib/" name "/" name ".h")) { source = "lib/" name "/" name ".h"; kind = "biblioteca" }
        else {
            # A module without main: the only source of its folder.
            source = ""; kind = "módulo"
            command = "ls programs/" name "/*.cpp 2>/dev/null"
            while ((command | getline path) > 0) source = source == "" ? path : "varios"
            close(command)
        }
        description = source == "" || source == "varios" ? "" : firstLine(source)
        sub(/^(\/\/|\/\*) */, "", description)
        sub(/ *\*\/$/, "", description)
        if (description !~ /^[A-Za-z0-9_]+: /) description = ""
        sub(/^[A-Za-z0-9_]+: /, "", description)
        print topic, name, kind, source, arguments, description
    }' "$index"
}

case ${1:-} in
lista)
    echo 'Programas del curso, por temas. Para ejecutar uno: make run P=<nombre> [ARGS="..."]'
    entries | awk -F '\t' '
    $1 != topic { topic = $1; printf "\n%s\n", topic }
    {
        note = $3 == "biblioteca" ? " (biblioteca; man " $2 ")" : $3 == "módulo" ? " (módulo, sin main)" : ""
        printf "  %-11s %s%s\n", $2, $6, note
        if ($5 != "") printf "  %-11s argumentos: %s\n", "", $5
    }'
    ;;
tabla)
    entries | awk -F '\t' '
    $1 != topic {
        if (topic != "") printf "\n"
        topic = $1
        printf "**%s**\n\n| programa | qué muestra |\n|---|---|\n", topic
    }
    {
        name = "`" $2 ($5 != "" ? " " $5 : "") "`"
        if ($3 != "programa") name = name " (" $3 ")"
        printf "| %s | %s |\n", name, $6
    }'
    ;;
entradas)
    entries
    ;;
programas)
    entries | awk -F '\t' -v OFS='\t' '$3 == "programa" { print $2, $4 }'
    ;;
ejecutable|probado)
    name=${2:-}
    kind=$(entries | awk -F '\t' -v name="$name" '$2 == name { print $3 }')
    if [ "$1" = probado ] && [ -z "$kind" ] && [ -n "$name" ] && [ -d "modules/$name" ]; then
        kind=módulo
    fi
    if [ -z "$kind" ]; then
        echo "no hay ningún programa «$name»; make list muestra los que hay" >&2
        exit 2
    fi
    if [ "$1" = ejecutable ] && [ "$kind" != programa ]; then
        article=un; [ "$kind" = biblioteca ] && article=una
        echo "$name es $article $kind, no un programa que se pueda ejecutar; make list muestra los que hay" >&2
        exit 2
    fi
    ;;
comprobar)
    status=0
    listed=$(entries)
    for folder in programs/*/; do
        name=$(basename "$folder")
        printf '%s\n' "$listed" | cut -f2 | grep -qx "$name" ||
            { echo "programs/$name is missing from $index"; status=1; }
    done
    printf '%s\n' "$listed" | awk -F '\t' -v index_file="$index" '
        $4 == "" || $4 == "varios" {
            print index_file " names " $2 ", but no program, library or module of that name exists"; bad = 1
        }
        $4 != "" && $4 != "varios" && $6 == "" {
            print $4 ": its first line must be \"// <name>: <descripción>\""; bad = 1
        }
        END { exit bad }' || status=1
    duplicated=$(printf '%s\n' "$listed" | cut -f2 | sort | uniq -d)
    [ -z "$duplicated" ] || { echo "$index lists more than once: $duplicated"; status=1; }
    table=$(sh scripts/indice.sh tabla)
    held=$(awk '/^<!-- indice -->$/ { inside = 1; next } /^<!-- \/indice -->$/ { inside = 0 } inside' LEEME.md)
    if [ "$(printf '%s\n' "$table" | sed '/^$/d')" != "$(printf '%s\n' "$held" | sed '/^$/d')" ]; then
        echo "LEEME.md's program table is not the index: put the output of 'sh scripts/indice.sh tabla'"
        echo "between its <!-- indice --> and <!-- /indice --> lines"
        status=1
    fi
    exit $status
    ;;
*)
    echo "usage: $0 lista | tabla | entradas | programas | ejecutable NAME | probado NAME | comprobar" >&2
    exit 2
    ;;
esac
