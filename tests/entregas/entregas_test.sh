#!/usr/bin/env bash
# make corregir grades a class of pickone hand-ins as a course platform delivers them, made
# here from the course's program: sources in a .zip (one folder down) or a .tar.gz, a zip
# bomb, an executable without its execute bit, sources one folder down or named PICKONE.C or
# .cxx, a link to another student's source, a Windows .exe, a .c.txt, an empty folder, sources
# that do not compile or do not link, an executable for another machine, and hostile folder
# names (a formula, a line feed, an escape byte, 255 bytes, a link to another student's
# folder), with two hidden cases of the teacher.
# notas.csv must be exactly the expected one, each feedback file must hold the line mensajes.txt
# gives for it (<file><TAB><text>), and no feedback file may show a hidden case or a path of
# this machine. Then: one student re-graded keeps every other result; wrong teacher's cases
# stop before any submission runs.
# Usage: entregas_test.sh <source-folder> <build-folder>
set -u
source=$1
build=$2
here=$source/tests/entregas
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
unset MAKEFLAGS MFLAGS MAKELEVEL
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
for tool in unzip zip; do
    command -v $tool > /dev/null || { echo "FAIL: $tool is not installed (Debian and Ubuntu: sudo apt install $tool)"; exit 1; }
done

# The course's program, as a student would have it: its source and an executable of it.
class=$scratch/entregas
mkdir -p "$class"
cp "$source/programs/pickone/pickone.cpp" "$scratch/pickone.cpp"
${CXX:-c++} -std=c++20 -O1 -o "$scratch/pickone" "$scratch/pickone.cpp" || { echo "FAIL: cannot compile pickone"; exit 1; }
edit() {  # a sed script, then the file it rewrites
    sed "$1" "$2" > "$2.nuevo" && mv "$2.nuevo" "$2"
}
student() {  # folder, then file name: a copy of the source (.cpp, .C...) or of the executable
    mkdir -p "$class/$1/$(dirname "$2")"
    case $2 in
        */pickone | pickone) cp "$scratch/pickone" "$class/$1/$2" ;;
        *) cp "$scratch/pickone.cpp" "$class/$1/$2" ;;
    esac
}
student ana pickone.cpp
student Álvaro pickone
student beto pickone && chmod a-x "$class/beto/pickone"
mkdir -p "$scratch/zip/pickone" && cp "$scratch/pickone.cpp" "$scratch/zip/pickone/"
mkdir -p "$class/carmen" && (cd "$scratch/zip" && zip -qr "$class/carmen/pickone.zip" pickone)
# A bomb: 200 MiB of zeros (a sparse file, nothing on disk) in 200 KB.
mkdir -p "$scratch/bomba" "$class/dario" &&
    dd if=/dev/null of="$scratch/bomba/pickone.cpp" bs=1048576 seek=200 2> /dev/null
(cd "$scratch/bomba" && zip -q "$class/dario/pickone.zip" pickone.cpp) && rm "$scratch/bomba/pickone.cpp"
mkdir -p "$class/eva" && printf 'MZ\220\0\3\0\0\0\4\0\0\0\377\377\0\0' > "$class/eva/pickone.exe"
student fabio pickone.c.txt
mkdir -p "$class/esteban" && tar -czf "$class/esteban/pickone.tar.gz" -C "$scratch" pickone.cpp
student gloria practica/pickone.cpp
student hector PICKONE.C
student irene pickone.cxx
mkdir -p "$class/julia"
student kiko pickone.cpp && edit 's/return 0;/return 0/' "$class/kiko/pickone.cpp"
student lola pickone.cpp && edit 's/ha escrito/escribió/' "$class/lola/pickone.cpp"
student mario pickone.cpp && edit 's/descartarLinea();$/descartarLineaEntera();/; s/^void descartarLinea() {/void descartarLineaEntera(); void descartarLinea() {/' "$class/mario/pickone.cpp"
student Ñoño pickone
student nube pickone
# For another machine: the executable with another ELF machine (183, ARM's) in its header.
student otra-arquitectura pickone && printf '\267\0' | dd of="$class/otra-arquitectura/pickone" bs=1 seek=18 conv=notrunc status=none
student '=HYPERLINK("evil.example","clic")' pickone
student $'linea\nnueva' pickone
student $'esc\e[31mrojo' pickone
long=ñandú-$(printf 'a%.0s' $(seq 1 247))
student "$long" pickone
ln -s ana "$class/enlace"
mkdir -p "$class/paco" && ln -s ../ana/pickone.cpp "$class/paco/pickone.cpp"

# The teacher's hidden cases: what they type and expect must never reach a student.
hidden=$scratch/ocultos/pickone
mkdir -p "$hidden/secreto-palabra-y-nueve" "$hidden/secreto-nueve"
printf 'xyzzy\n9\n' > "$hidden/secreto-palabra-y-nueve/stdin"
printf 'Deme un número entre 1 y 10: Por favor, deme un número entre 1 y 10: \n\nEl número que ha escrito era el 9\n\n' \
    > "$hidden/secreto-palabra-y-nueve/stdout"
printf '9\n' > "$hidden/secreto-nueve/stdin"
printf 'Deme un número entre 1 y 10: \n\nEl número que ha escrito era el 9\n\n' > "$hidden/secreto-nueve/stdout"

corregir() {  # the log's name, then make's extra variables
    local log=$scratch/$1.log
    shift
    make -s -C "$source" corregir P=pickone BUILD="$build" ENTREGAS="$class" NOTAS="$scratch/notas" \
        CASOS="$scratch/ocultos" "$@" > "$log" 2>&1
}

# Wrong teacher's cases stop before any submission runs, with one line that names the folder.
mkdir -p "$scratch/mal/pickone" && cp -r "$hidden/secreto-nueve" "$scratch/mal/pickone/"
touch "$scratch/mal/pickone/secreto-nueve/esperado"
for wrong in "no-existe:no existe esa carpeta" "ocultos/pickone:un nivel de más" \
             "mal:el caso pickone/secreto-nueve está mal formado (tiene un archivo que ningún caso lleva: esperado)"; do
    folder=${wrong%%:*}
    if make -s -C "$source" corregir P=pickone BUILD="$build" ENTREGAS="$class" NOTAS="$scratch/notas" \
            CASOS="$scratch/$folder" > "$scratch/mal.log" 2>&1; then
        fail "CASOS=$folder: make corregir did not stop"
    fi
    if ! grep -F "CASOS=$scratch/$folder: " "$scratch/mal.log" | grep -qF "${wrong#*:}"; then
        fail "CASOS=$folder: not said"; cat "$scratch/mal.log"
    fi
    [ ! -e "$scratch/notas/retroalimentacion" ] || { fail "CASOS=$folder: submissions ran"; rm -rf "$scratch/notas"; }
done

corregir clase || { fail "make corregir failed"; cat "$scratch/clase.log"; }
notas=$scratch/notas
if ! cmp -s "$here/notas.csv" "$notas/notas.csv"; then
    fail "notas.csv differs from the expected one (< expected, > written)"
    diff "$here/notas.csv" "$notas/notas.csv"
    cat "$scratch/clase.log"
fi
while IFS=$'\t' read -r file text; do
    if [ ! -f "$notas/retroalimentacion/$file" ]; then
        fail "no feedback file $file"
    elif ! grep -qF -- "$text" "$notas/retroalimentacion/$file"; then
        fail "$file lacks «$text»:"; cat "$notas/retroalimentacion/$file"
    fi
done < "$here/mensajes.txt"
[ ! -e "$notas/retroalimentacion/enlace.txt" ] || fail "the link to another student's folder was graded"
# The terminal's table: no byte a terminal acts on, one line per student, columns counted in
# characters.
if grep -q $'\e' "$scratch/clase.log" || ! grep -q '^linea\\x0anueva  ' "$scratch/clase.log"; then
    fail "the table shows a folder name raw:"; cat -A "$scratch/clase.log"
fi
alvaro=$(grep '^Álvaro ' "$scratch/clase.log") ana=$(grep '^ana ' "$scratch/clase.log")
alvaro=${alvaro%%10 *} ana=${ana%%10 *}
[ "$(LC_ALL=C.UTF-8 && echo ${#alvaro})" = "$(LC_ALL=C.UTF-8 && echo ${#ana})" ] ||
    { fail "the table's columns are counted in bytes:"; cat "$scratch/clase.log"; }
# Hidden cases: their names, input and expected output are nowhere in what the students see.
if grep -l -e secreto -e xyzzy -e 'era el 9' "$notas"/retroalimentacion/*; then
    fail "a feedback file shows a hidden case"
fi
# No path of this machine either (compilers' and linkers' messages, the other machine's hint).
if grep -l -F -e "$source" -e "$build" -e "$scratch" -e "$(cd "$build" && pwd -P)" -e /home/ -e /root/ -e /tmp/ \
        "$notas"/retroalimentacion/*; then
    fail "feedback files name the teacher's folders"
fi
# A bomb fills nothing: what was unpacked stays small.
used=$(du -sk "$notas" | cut -f1)
[ "$used" -lt 20480 ] || fail "the notas folder takes $used KiB after a zip bomb"

# Re-grading one student changes their row and their feedback, and nothing else.
cp "$notas/notas.csv" "$scratch/antes.csv"
feedback() { (cd "$notas/retroalimentacion" && cksum -- * | grep -v ' julia.txt$'); }
feedback > "$scratch/antes.cksum"
student julia pickone.cpp
corregir julia ALUMNO=julia || { fail "make corregir ALUMNO=julia failed"; cat "$scratch/julia.log"; }
grep '^julia;' "$notas/notas.csv" | grep -q '^julia;;10;10;10,00;' || { fail "julia was not re-graded"; cat "$notas/notas.csv"; }
if ! diff <(grep -v '^julia;' "$scratch/antes.csv") <(grep -v '^julia;' "$notas/notas.csv"); then
    fail "re-grading julia changed other rows"
fi
feedback | cmp -s - "$scratch/antes.cksum" || fail "re-grading julia changed, added or removed other feedback files"
[ -f "$notas/retroalimentacion/julia.txt" ] || fail "re-grading julia wrote no feedback file"
# Grading another class into the same NOTAS removes nothing it did not write: the rows and
# feedback files of students not in it stay, and it says so.
mkdir -p "$scratch/otra-clase/julia" && cp "$scratch/pickone.cpp" "$scratch/otra-clase/julia/"
feedback > "$scratch/antes.cksum"
make -s -C "$source" corregir P=pickone BUILD="$build" ENTREGAS="$scratch/otra-clase" NOTAS="$notas" \
    CASOS="$scratch/ocultos" > "$scratch/otra-clase.log" 2>&1 || fail "make corregir of another class failed"
feedback | cmp -s - "$scratch/antes.cksum" || fail "grading another class changed the feedback files of this one"
[ "$(grep -c . "$notas/notas.csv")" = "$(grep -c . "$here/notas.csv")" ] || { fail "grading another class lost rows"; cat "$notas/notas.csv"; }
grep -q 'notas.csv conserva 23 filas' "$scratch/otra-clase.log" || { fail "the rows kept are not told"; cat "$scratch/otra-clase.log"; }
# MOSTRAR_OCULTOS=1 shows the teacher's cases in full.
corregir lola ALUMNO=lola MOSTRAR_OCULTOS=1 || { fail "make corregir ALUMNO=lola failed"; cat "$scratch/lola.log"; }
grep -q 'secreto-nueve' "$notas/retroalimentacion/lola.txt" || fail "MOSTRAR_OCULTOS=1 does not show the hidden cases"
[ "$failures" -eq 0 ] || { echo "$failures failures"; exit 1; }
