#!/usr/bin/env bash
# The teaching code calls only ISO C, ISO C++ and POSIX.1-2008: every C library function that
# the programs, the modules and the utiles object import must be in the kept list
# interfaces.txt. The names are read with GNU nm, and glibc's own names for standard functions
# (__isoc99_scanf, __printf_chk, __errno_location, ...) are read as the standard ones.
# Usage: symbols.sh <interfaces.txt> <program, module archive or object>...
set -u
list=$1
shift
if ! nm --version 2>/dev/null | grep -q 'GNU nm'; then
    echo "GNU nm (binutils) is needed to read the programs' symbols: the check runs on Linux"
    exit 77
fi

# What the files themselves define is not imported: a module calls another one.
defined=$(for file in "$@"; do
    case $file in *.o|*.a) nm --defined-only "$file" 2>/dev/null ;; esac
done | awk 'NF >= 3 { print $3 }' | sort -u)

imports() {  # file: the C library names it imports, one per line
    case $1 in
    *.o|*.a) nm --undefined-only "$1" ;;
    *) nm -D --undefined-only "$1" ;;
    esac 2>/dev/null | awk 'NF >= 2 { print $NF }' | sed 's/@.*//' | sort -u |
        comm -23 - <(printf '%s\n' "$defined")
}

# glibc's names for the standard ones; the start-up code, the C++ runtime and the sanitizers
# are not the program's calls.
standard() {
    sed -E -e 's/^__isoc(99|23)_//' -e 's/^__(.*)_chk$/\1/' \
           -e 's/^__errno_location$/errno/' -e 's/^__getdelim$/getdelim/' \
           -e 's/^__ctype_b_loc$/isalpha/' -e 's/^__ctype_(toupper|tolower)_loc$/\1/' \
           -e 's/^__assert_fail$/abort/' |
    grep -v -E '^(_Z|__cxa_|__gxx_personality|_Unwind_|_ITM_|__gmon_start__$|__libc_start_main$|__stack_chk_(fail|guard)$|__dso_handle$|__tls_get_addr$|__libc_single_threaded$|__(asan|ubsan|lsan|sanitizer)_)'
}

allowed=$(grep -v '^#' "$list" | tr -s ' \t' '\n' | sed '/^$/d' | sort -u)
status=0
for file in "$@"; do
    if [ ! -f "$file" ]; then
        echo "missing: $file"; status=1; continue
    fi
    outside=$(imports "$file" | standard | sort -u | comm -23 - <(printf '%s\n' "$allowed"))
    if [ -n "$outside" ]; then
        echo "$file calls what is not ISO C nor POSIX.1-2008 (or not yet in $(basename "$list")):"
        printf '    %s\n' $outside
        status=1
    fi
done
[ $status -eq 0 ] && echo "$# files: every C library call is ISO C or POSIX.1-2008"
exit $status
