#!/usr/bin/env bash
# A class of agemenu submissions in folders named as Moodle's «Descargar todas las entregas»
# names them, plus a teacher's hidden case, graded three ways that must agree:
# - make corregir: notas.csv byte for byte (BOM, `;`, 8,75, a name holding `"` and `;`), its
#   CSV_PUNTO=1 form, the offline grading worksheet filled in English and in Spanish (byte for
#   byte, unchanged rows untouched, a folder without a row listed), the feedback zip;
# - the files of make vpl, run as VPL runs them (the pipe to cat waits for whatever still holds
#   the output): a scratch folder with the student's files and
#   the execution files, vpl_evaluate.sh then vpl_execution, no network, an unprivileged user;
#   the grade is the last `Grade :=>>` line, the missing fflush is told, the hidden case is only
#   "Caso oculto", no case is left on the disk, and Tomás's process that writes a full grade
#   where VPL reads it (tramposo/) is killed before the checker's grade;
# - the zip of make gradescope, run with /autograder laid out as Gradescope lays it (bubblewrap
#   binds a scratch folder there): results.json checked against Gradescope's schema.
# hoja-es.csv is as a spreadsheet saves it again (BOM, CRLF); Elena's row there has a maximum
# of 16,25: 5 of 10 is 8,125, which a teacher rounds to 8,13 (a binary double prints 8,12).
# Usage: plataformas_test.sh <source-folder> <build-folder>
set -u
source=$1
build=$2
here=$source/tests/plataformas
scratch=$(mktemp -d)
trap '[ -n "${KEEP:-}" ] || rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
failures=0
step() { echo "$SECONDS s: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
show() { echo "--- $1"; cat "$1"; }

# The class: each folder holds a submission of tests/corregir with its usual mistake.
class=$scratch/entregas
declare -A submitted=(
    ['Ana "la Rubia" Pérez_1001_assignsubmission_file_']=ana
    ['Carla Núñez; López_1002_assignsubmission_file_']=carla
    ['Elena Ruiz_1003_assignsubmission_file_']=elena
    ['Gema Sanz_1004_assignsubmission_file_']=gema
    ['Inés Gil_1005_assignsubmission_file_']=ines
    ['Tomás Trampas_1007_assignsubmission_file_']=tramposo
    ['sin-numero']=bruno)
for folder in "${!submitted[@]}"; do
    mkdir -p "$class/$folder"
    from=$source/tests/corregir/entregas/${submitted[$folder]}
    [ -d "$from" ] || from=$here/${submitted[$folder]}
    cp "$from/agemenu.c" "$class/$folder/"
done
# The teacher's case: one of the course's, under a name the students must not see.
mkdir -p "$scratch/ocultos/agemenu"
cp -R "$source/casos/agemenu/edad-pedida-hasta-estar-en-rango" "$scratch/ocultos/agemenu/caso-secreto-del-profesor"

# make corregir, twice: a Spanish spreadsheet's table and the English worksheet; then the
# comma-and-point table and the Spanish worksheet.
grade() {  # notes folder, worksheet, more make settings
    local notas=$1 sheet=$2
    shift 2
    if ! make -s -C "$source" corregir P=agemenu ENTREGAS="$class" CASOS="$scratch/ocultos" \
            NOTAS="$notas" HOJA="$sheet" BUILD="$build" "$@" > "$notas.log" 2>&1; then
        fail "make corregir $*"; show "$notas.log"
    fi
}
same() {  # expected, written
    cmp -s "$1" "$2" && return 0
    fail "$2 differs from $1 (< expected, > written)"
    diff <(od -c "$1") <(od -c "$2") | head -20
}
step "make corregir"
grade "$scratch/notas" "$here/hoja-en.csv"
same "$here/notas.csv" "$scratch/notas/notas.csv"
same "$here/hoja-en-rellena.csv" "$scratch/notas/hoja-calificaciones.csv"
grade "$scratch/punto" "$here/hoja-es.csv" CSV_PUNTO=1
same "$here/notas-punto.csv" "$scratch/punto/notas.csv"
same "$here/hoja-es-rellena.csv" "$scratch/punto/hoja-calificaciones.csv"
for told in "Gema Sanz_1004_assignsubmission_file_: la hoja no tiene la fila del participante 1004" \
            "sin-numero: su carpeta no lleva el número de participante"; do
    grep -qF -- "$told" "$scratch/punto.log" || { fail "make corregir does not list «$told»"; show "$scratch/punto.log"; }
done

# The feedback zip: one file per numbered folder, in a folder named as the download named it.
zip=$scratch/notas/retroalimentacion.zip
if ! unzip -tq "$zip" > /dev/null; then
    fail "retroalimentacion.zip is no valid zip"
else
    expected=$(for folder in "${!submitted[@]}"; do
        [ "$folder" = sin-numero ] || echo "$folder/retroalimentacion.txt"; done | sort)
    [ "$(unzip -Z1 "$zip" | sort)" = "$expected" ] || { fail "retroalimentacion.zip holds:"; unzip -Z1 "$zip"; }
    folder='Carla Núñez; López_1002_assignsubmission_file_'
    unzip -p "$zip" "$folder/retroalimentacion.txt" | cmp -s - "$scratch/notas/retroalimentacion/$folder.txt" ||
        fail "the zip's feedback of Carla is not her feedback file"
fi

# Each student's mark as notas.csv has it, with a point: "ana 10.00".
declare -A mark
while IFS=$'\t' read -r student value; do
    mark[$student]=$value
done < <(python3 -c 'import csv, sys
for row in list(csv.reader(open(sys.argv[1], encoding="utf-8-sig"), delimiter=";"))[1:]:
    print(row[0] + "\t" + row[4].replace(",", "."))' "$scratch/notas/notas.csv")

step "VPL"
# VPL: the execution files and the student's file in one folder, run as nobody, with no network.
make -s -C "$source" vpl P=agemenu CASOS="$scratch/ocultos" BUILD="$build" > "$scratch/vpl.log" 2>&1 ||
    { fail "make vpl"; show "$scratch/vpl.log"; }
isolated=(unshare -rn)
[ "$(id -u)" = 0 ] && isolated=(unshare -n setpriv --reuid=65534 --regid=65534 --clear-groups)
for folder in "${!submitted[@]}"; do
    student=${submitted[$folder]}
    jail=$scratch/vpl-$student
    mkdir -p "$jail"
    cp "$build/vpl/agemenu/"* "$class/$folder/agemenu.c" "$jail/"
    # Tomás's writer runs as the grader's own user: as root it could open any output.
    as=("${isolated[@]}")
    [ "$student" = tramposo ] && { [ "$(id -u)" = 0 ] && as=(unshare -n) || as=(unshare -rn); }
    [ "$(id -u)" = 0 ] && chown -R 65534:65534 "$jail"
    (cd "$jail" && "${as[@]}" env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$jail" VPL_MAXTIME=120 \
        VPL_GRADEMIN=0 VPL_GRADEMAX=10 VPL_SUBFILES=agemenu.c MOODLE_USER_ID=7 MOODLE_USER_NAME="$folder" \
        bash -c 'bash vpl_evaluate.sh && ./vpl_execution' 2>&1 | cat > "$jail.out")
    grade=$(grep '^Grade :=>>' "$jail.out" | tail -n 1)
    [ "$(tail -n 1 "$jail.out")" = "$grade" ] || { fail "VPL $student: the grade is not the last line"; show "$jail.out"; }
    [ "$grade" = "Grade :=>>${mark[$folder]}" ] ||
        { fail "VPL $student: «$grade», make corregir gave ${mark[$folder]}"; show "$jail.out"; }
    # The comments: every line inside a block is a title or shown as it is (Tomás writes
    # grades of his own into the output while the checker runs).
    [ "$student" = tramposo ] || awk '/^<\|--$/ {inside = 1; next} /^--\|>$/ {inside = 0; next}
         inside && !/^[->]/ {print "loose line: " $0; bad = 1} END {exit bad}' "$jail.out" ||
        fail "VPL $student: a comment line VPL would not show"
    [ "$student" = ines ] || grep -q '^-Caso oculto 1: ' "$jail.out" || fail "VPL $student: the hidden case is not told as hidden"
    grep -q secreto "$jail.out" && fail "VPL $student: the hidden case's name is shown"
    leftover=$(cd "$jail" && find . -name 'casos*' -o -name 'ocultos*' -o -name 'caso-secreto*')
    [ -z "$leftover" ] || fail "VPL $student: cases left where the program could read them: $leftover"
done
grep -q '^>.*falta fflush(stdout) antes de leer' "$scratch/vpl-carla.out" ||
    { fail "VPL does not catch Carla's missing fflush"; show "$scratch/vpl-carla.out"; }
grep -q '^-Tu programa no compila' "$scratch/vpl-ines.out" || fail "VPL does not say Inés's program does not compile"

step "Gradescope"
# Gradescope: the zip unpacked in /autograder/source, the submission in /autograder/submission;
# setup.sh with apt-get standing in (no network) and the user alumno in a passwd of the test.
make -s -C "$source" gradescope P=agemenu CASOS="$scratch/ocultos" BUILD="$build" > "$scratch/gs.log" 2>&1 ||
    { fail "make gradescope"; show "$scratch/gs.log"; }
mkdir -p "$scratch/etc" "$scratch/bin"
cp /etc/passwd /etc/group "$scratch/etc/"
echo 'alumno:x:64242:64242::/nonexistent:/usr/sbin/nologin' >> "$scratch/etc/passwd"
echo 'alumno:x:64242:' >> "$scratch/etc/group"
printf '#!/bin/sh\nexit 0\n' > "$scratch/bin/apt-get"
chmod +x "$scratch/bin/apt-get"
box=(bwrap --bind / / --ro-bind "$scratch/etc/passwd" /etc/passwd --ro-bind "$scratch/etc/group" /etc/group
     --unshare-net --unshare-pid --proc /proc --dev /dev)
[ "$(id -u)" = 0 ] || box+=(--unshare-user --uid 0)
if ! "${box[@]}" true 2> /dev/null; then
    echo "bubblewrap cannot run here: the Gradescope zip is not run"
else
    # The image is built once: setup.sh; then each submission in a fresh submission/ and results/.
    root=$scratch/autograder
    mkdir -p "$root/source" "$root/tmp"
    chmod 1777 "$root/tmp"
    (cd "$root/source" && unzip -q "$build/gradescope/agemenu.zip")
    "${box[@]}" --bind "$root" /autograder env PATH="$scratch/bin:$PATH" bash /autograder/source/setup.sh \
        > "$scratch/setup.log" 2>&1 || { fail "Gradescope's setup.sh"; show "$scratch/setup.log"; }
    for folder in "${!submitted[@]}"; do
        student=${submitted[$folder]}
        rm -rf "$root/submission" "$root/results"
        mkdir -p "$root/submission/carpeta"
        cp "$class/$folder/agemenu.c" "$root/submission/carpeta/"
        "${box[@]}" --bind "$root" /autograder env TMPDIR="$root/tmp" /autograder/source/run_autograder \
            > "$root.log" 2>&1
        python3 - "$root/results/results.json" "${mark[$folder]}" "$student" >> "$root.log" 2>&1 <<'PYTHON' ||
import json, sys
path, mark, student = sys.argv[1:]
results = json.load(open(path))
problems = []
def need(ok, what):
    if not ok:
        problems.append(what)
need(set(results) <= {"score", "execution_time", "output", "visibility", "tests", "stdout_visibility"}, "unknown keys")
need(f"{results.get('score', -1):.2f}" == mark, f"score {results.get('score')} is not make corregir's {mark}")
tests = results["tests"]
for test in tests:
    need(set(test) <= {"name", "score", "max_score", "status", "output", "output_format", "visibility", "tags", "number"}
         and isinstance(test["name"], str) and isinstance(test["output"], str)
         and isinstance(test["score"], (int, float)) and isinstance(test["max_score"], (int, float))
         and test["status"] in ("passed", "failed") and test["output_format"] in ("text", "md", "ansi", "html")
         and test["visibility"] in ("visible", "hidden", "after_due_date", "after_published"), f"test {test}")
# A teacher's case is told by its number alone: its name never reaches the student.
need("secreto" not in json.dumps(results), "the hidden case's name is shown")
hidden = [t for t in tests if t["name"].startswith("Caso oculto ")]
if student == "ines":
    need(any(t["name"] == "Compilación" and t["status"] == "failed" for t in tests), "no failed compilation test")
else:
    need(len([t for t in tests if t["name"].startswith("Caso ")]) == 10, f"{len(tests)} tests")
    need(len(hidden) == 1 and hidden[0]["visibility"] == "after_published", "the hidden case is not after_published")
if student == "carla":
    need(all("falta fflush(stdout)" in t["output"] for t in tests if t["status"] == "failed" and t not in hidden),
         "fflush not told")
for problem in problems:
    print("problem:", problem)
sys.exit(1 if problems else 0)
PYTHON
            { fail "Gradescope $student"; show "$root.log"; show "$root/results/results.json"; }
    done
fi
step "done"
[ "$failures" -eq 0 ] || { echo "$failures failures"; exit 1; }
