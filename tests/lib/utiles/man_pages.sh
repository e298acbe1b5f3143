#!/usr/bin/env bash
# Renders every manual page of the console library and fails on any groff warning.
# Usage: man_pages.sh <folder of the pages>
set -u
dir=$1

if ! command -v groff > /dev/null; then
    echo "groff is not installed, so the manual pages cannot be rendered"
    exit 77
fi

status=0
for name in utiles sgets pedir pedirInt pedirFloat pedirDouble salir; do
    if [ ! -f "$dir/$name.3" ]; then
        echo "$name.3: missing from $dir"
        status=1
    fi
done

for page in "$dir"/*.3; do
    [ -f "$page" ] || continue
    name=$(basename "$page" .3)
    if ! warnings=$(groff -k -man -Tutf8 -ww -z "$page" 2>&1) || [ -n "$warnings" ]; then
        echo "$name.3: groff does not render it cleanly:"
        echo "$warnings"
        status=1
    fi
    nombre=$(sed -n '/^\.SH NOMBRE/{n;p;q}' "$page")
    case $nombre in
        "$name \\-"*) ;;
        *) echo "$name.3: the NOMBRE line does not name $name: $nombre"; status=1 ;;
    esac
done
exit $status
