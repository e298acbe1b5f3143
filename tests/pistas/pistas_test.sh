#!/usr/bin/env bash
# The checker's hints, each proved on a small program with exactly that fault and refused to one
# with another fault: every program of pistas.txt is compiled and checked with comprobar --fuente
# (as make check FUENTE= does it) and its report must hold one text and not another. The cases
# that need valgrind are skipped without it. Prints how many got the right hint.
# Usage: pistas_test.sh <source-folder> <build-folder> [table, by default pistas.txt]
set -u
source=$1
build=$2
here=$source/tests/pistas
table=${3:-$here/pistas.txt}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
chmod 755 "$scratch"  # as root, the box's user (nobody) reaches the runs' folders through it
ana=$source/tests/corregir/entregas/ana/agemenu.c
# A correct agemenu with one fault each: no fflush and no bell; no bell in the wrong option's
# message (a stdout.pat case); one blank line less before the goodbye. And the course's textpeek
# going back to the start with rewind, which cannot fail, instead of fseek.
sed -e 's/fflush(stdout);//' -e 's/\\a//g' "$ana" > "$scratch/ana-sin-fflush-ni-pitido.c"
sed -e 's/\*\*\*\\aOpción/***Opción/' "$ana" > "$scratch/ana-sin-pitido-de-error.c"
sed -e 's/printf("\\n\\nSe ha ejecutado/printf("\\nSe ha ejecutado/' "$ana" > "$scratch/ana-sin-linea-en-blanco.c"
sed -e 's/if (fseek(archivo, 0, SEEK_SET) != 0)/rewind(archivo);\n    if (false)/' \
    "$source/programs/textpeek/textpeek.cpp" > "$scratch/textpeek-con-rewind.cpp"
for made in "$scratch"/*; do
    original=$ana
    case $made in *textpeek*) original=$source/programs/textpeek/textpeek.cpp ;; esac
    cmp -s "$made" "$original" && { echo "FAIL: the fault of $(basename "$made") was not put in"; exit 1; }
done
right=0
total=0
failures=0
checked=
while IFS=$'\t' read -r file program extra want refused; do
    case $file in '#'*|'') continue ;; esac
    if [ "$extra" = --valgrind ] && ! command -v valgrind > /dev/null; then
        echo "skipped $file: valgrind is not installed"
        continue
    fi
    [ "$extra" = - ] && extra=
    path=$here/$file
    [ -f "$path" ] || path=$scratch/$file
    total=$((total + 1))
    name=${file//\//-}
    if [ "$file $extra" != "$checked" ]; then
        output=$(TMPDIR=$scratch "$build/tools/comprobar" --casos "$source/casos" \
                 --plataforma "$build/tests/platform.txt" --utiles "$build/wuna" $extra \
                 --fuente "$path" "$program" "$scratch/bin/$name/$program" 2>&1)
        checked="$file $extra"
    fi
    if ! grep -qF -- "$want" <<< "$output"; then
        echo "FAIL: $file: no «$want» in:"; echo "$output"; failures=$((failures + 1))
    elif [ "$refused" != - ] && grep -qF -- "$refused" <<< "$output"; then
        echo "FAIL: $file: «$refused» should not be in:"; echo "$output"; failures=$((failures + 1))
    else
        right=$((right + 1))
    fi
done < "$table"
echo "$right de $total programas con la pista correcta"
exit $(( failures > 0 ))
