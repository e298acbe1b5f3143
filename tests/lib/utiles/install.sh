#!/usr/bin/env bash
# make install into a scratch DESTDIR puts the header, the object and the manual pages where
# C programs and man look for them; make uninstall then leaves nothing behind.
# Usage: install.sh <source-folder> <build-folder>
set -u
source=$1
build=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

if ! make -s -C "$source" install BUILD="$build" DESTDIR="$root/staging" PREFIX=/usr > "$root/log" 2>&1; then
    echo "make install failed:"; cat "$root/log"; exit 1
fi
status=0
for file in include/wuna/utiles.h include/wuna/utiles.o share/man/man3/utiles.3 \
            share/man/man3/sgets.3 share/man/man3/pedir.3 share/man/man3/pedirInt.3 \
            share/man/man3/pedirFloat.3 share/man/man3/pedirDouble.3 share/man/man3/salir.3; do
    [ -f "$root/staging/usr/$file" ] || { echo "not installed: /usr/$file"; status=1; }
done
if command -v man > /dev/null && ! MANPATH="$root/staging/usr/share/man" man -P cat pedirInt 2>&1 | grep -q pedirInt; then
    echo "man pedirInt does not find the installed page"; status=1
fi

if ! make -s -C "$source" uninstall BUILD="$build" DESTDIR="$root/staging" PREFIX=/usr > "$root/log" 2>&1; then
    echo "make uninstall failed:"; cat "$root/log"; exit 1
fi
left=$(find "$root/staging" -mindepth 1)
[ -z "$left" ] || { echo "make uninstall left behind:"; echo "$left"; status=1; }
exit $status
