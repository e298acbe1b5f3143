#!/usr/bin/env bash
# make check FUENTE= on wrong sources: each compile or link error (or warning) gets its Spanish
# explanation, with gcc and, when it is installed, with clang (as cc, first on the PATH), and
# MEMORIA=1 finds the out-of-bounds write of a list with its source line (skipped without
# valgrind). The table is explicaciones.txt; how many sources get theirs is printed per compiler.
# make test, given a source, refuses it.
# Usage: fuentes_test.sh <source-folder> <build-folder>
set -u
source=$1
build=$2
here=$source/tests/fuentes
unset MAKEFLAGS MFLAGS MAKELEVEL SANITIZE  # a sanitizer build of the course: its own sources, not these
failures=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# A correct agemenu of the class's (tests/corregir) whose nodes are allocated too short: its
# list is written past them.
sed 's/malloc(sizeof(struct nodo))/malloc(sizeof(int))/' "$source/tests/corregir/entregas/ana/agemenu.c" > "$scratch/agemenu.c"
cmp -s "$scratch/agemenu.c" "$source/tests/corregir/entregas/ana/agemenu.c" && { echo "FAIL: ana's nodes not found"; exit 1; }
# make test tests the course's programs: given a student's source, it refuses, pointing at make
# check. (Not addthree's tests: without the refusal they would run this one again.)
if output=$(make -s -C "$source" test BUILD="$build" P=addup FUENTE=sin-main.c 2>&1) ||
   ! grep -qF "make check P=addup FUENTE=sin-main.c" <<< "$output"; then
    echo "FAIL: make test with FUENTE= does not send to make check:"; echo "$output"; failures=$((failures + 1))
fi
compilers=(gcc)
if command -v clang > /dev/null && command -v clang++ > /dev/null; then
    compilers+=(clang)
    mkdir "$scratch/clang"
    ln -s "$(command -v clang)" "$scratch/clang/cc"
    ln -s "$(command -v clang++)" "$scratch/clang/c++"
else
    echo "clang is not installed: only gcc is tried"
fi
for compiler in "${compilers[@]}"; do
    path=$PATH
    [ "$compiler" = clang ] && path=$scratch/clang:$PATH
    tried=0 explained=0 missed=
    while IFS=$'\t' read -r files program extra text required; do
        case $files in '#'*|'') continue ;; esac
        if [ "$extra" = MEMORIA=1 ]; then
            # The memory check is valgrind's, not the compiler's: once is enough.
            [ "$compiler" = gcc ] || continue
            command -v valgrind > /dev/null || { echo "skipped $files: valgrind is not installed"; continue; }
        fi
        [ "$extra" = - ] && extra=
        folder=$here
        [ -f "$here/${files%% *}" ] || folder=$scratch
        # FUENTE is read from the folder make is typed in.
        output=$(cd "$folder" && PATH=$path make -s -C "$source" check BUILD="$build" P="$program" \
                     FUENTE="$files" $extra 2>&1)
        tried=$((tried + 1))
        if grep -qF -- "$text" <<< "$output"; then
            explained=$((explained + 1))
        else
            missed="$missed $files"
            if [ "$required" = - ] || [ "$required" = "$compiler" ]; then
                echo "FAIL: $compiler, $files: no «$text» in:"; echo "$output"; failures=$((failures + 1))
            fi
        fi
        # No folder of the grader's machine in what the compiler's messages show.
        told=$(sed '/^Casos de «/,$d' <<< "$output")
        if grep -qF -- "$build" <<< "$told" || grep -q '/tmp/\|/usr/bin/ld' <<< "$told"; then
            echo "FAIL: $compiler, $files: a folder of this machine is shown:"; echo "$told"
            failures=$((failures + 1))
        fi
    done < "$here/explicaciones.txt"
    echo "$compiler: $explained of $tried sources get their explanation${missed:+ (not:$missed)}"
done
exit $(( failures > 0 ))
