#!/bin/sh
# Gets the build folder ready for the Makefile's commands. It configures the folder when it is
# new, when an earlier configure failed half-way, or when CC or CXX name another compiler than
# the one the folder was configured with. Silent unless something fails or changes.
#   configurar.sh BUILD GENERATOR_OPTIONS CMAKE_OPTIONS
# CURSO_CC and CURSO_CXX hold the compilers given to make (empty when none was given).
set -u
build=$1
generator=$2
options=$3

ready() {
    [ -f "$build/CMakeCache.txt" ] && { [ -f "$build/build.ninja" ] || [ -f "$build/Makefile" ]; }
}

cached() {  # the compiler the folder was configured with, for C or CXX
    sed -n "s/^CMAKE_$1_COMPILER:[A-Z]*=//p" "$build/CMakeCache.txt" 2>/dev/null
}

resolved() {  # a compiler's command as a full path, links followed where readlink can
    found=$(command -v "$1" 2>/dev/null) || found=$1
    readlink -f "$found" 2>/dev/null || printf '%s\n' "$found"
}

if ready; then
    for pair in "CC C ${CURSO_CC:-}" "CXX CXX ${CURSO_CXX:-}"; do
        set -- $pair
        [ $# -ge 3 ] || continue
        variable=$1 language=$2
        shift 2
        given=$*
        before=$(cached "$language")
        if [ "$(resolved "$given")" != "$(resolved "$before")" ]; then
            echo "$variable=$given no es el compilador con que se preparó $build/ ($before): se prepara de nuevo"
            rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
            break
        fi
    done
    ready && exit 0
fi

[ -n "${CURSO_CC:-}" ] && { CC=$CURSO_CC; export CC; }
[ -n "${CURSO_CXX:-}" ] && { CXX=$CURSO_CXX; export CXX; }
# The options are words without spaces of their own: the generator's name and -D settings.
# shellcheck disable=SC2086
if ! out=$(cmake -S . -B "$build" $generator $options 2>&1); then
    printf '%s\n' "$out"
    # Half-configured, the folder would stop every later command: the next one starts afresh
    # (CMakeFiles/ stays, with the logs the message names).
    rm -f "$build/CMakeCache.txt"
    echo "make: no se pudo preparar $build/; el mensaje de cmake está arriba" >&2
    exit 1
fi
