#!/bin/sh
# make vpl and make gradescope: the files a teacher gives a platform so that its own grader
# checks a program with the course's checker. VPL: a folder of execution files. Gradescope:
# the autograder's zip.
# Usage: paquete.sh vpl|gradescope <source> <build> <program> <output> <course-cases> <teacher-cases>
#                   <total-seconds> [checker options]
# <course-cases> and <teacher-cases> are case roots (<root>/<program>/<case>/) or empty; the
# teacher's cases become hidden ones. <total-seconds>: the time of all the cases together
# (Gradescope; VPL takes it from VPL_MAXTIME).
set -eu
format=$1 source=$2 build=$3 program=$4 output=$5 course=$6 teacher=$7 total=$8
shift 8
limits=$*
mkdir -p "$(dirname "$output")"
output=$(cd "$(dirname "$output")" && pwd)/$(basename "$output")
stage="$output.tmp"
rm -rf "$stage"
mkdir -p "$stage"
trap 'rm -rf "$stage"' EXIT
# The cases, visible and hidden, of this program alone.
if [ -n "$course" ] && [ -d "$course/$program" ]; then
    mkdir -p "$stage/casos" && cp -R "$course/$program" "$stage/casos/"
else
    mkdir -p "$stage/casos"
fi
if [ -n "$teacher" ]; then
    [ -d "$teacher/$program" ] || { echo "$teacher no tiene casos de $program ($teacher/$program/<caso>/)" >&2; exit 1; }
    mkdir -p "$stage/ocultos" && cp -R "$teacher/$program" "$stage/ocultos/"
fi
cp "$build/tools/comprobar-estatico" "$stage/comprobar"
cp "$source/lib/utiles/utiles.h" "$source/lib/utiles/utiles.cpp" "$build/tests/platform.txt" "$stage/"
mv "$stage/platform.txt" "$stage/plataforma.txt"
fill() {  # template, destination
    sed -e "s/@PROGRAMA@/$program/g" -e "s/@TIEMPO@/$total/g" -e "s/@TIEMPO_FINAL@/$((total + 60))/g" \
        -e "s/@LIMITES@/$limits/g" "$1" > "$2"
    chmod +x "$2"
}
here=$(cd "$(dirname "$0")" && pwd)
if [ "$format" = vpl ]; then
    (cd "$stage" && cmake -E tar cf casos.tar casos $([ -d ocultos ] && echo ocultos) && rm -rf casos ocultos)
    fill "$here/vpl_evaluate.sh" "$stage/vpl_evaluate.sh"
    rm -rf "$output"
    mv "$stage" "$output"
    echo "Los archivos de ejecución de la actividad VPL de $program: $output/"
    ls "$output" | sed 's/^/    /'
else
    fill "$here/setup.sh" "$stage/setup.sh"
    fill "$here/run_autograder" "$stage/run_autograder"
    rm -f "$output"
    (cd "$stage" && cmake -E tar cf ../"$(basename "$output")" --format=zip -- *)
    echo "El autograder de Gradescope de $program: $output"
fi
