#!/bin/sh
# Installs the site's npm packages, as package-lock.json pins them, into a folder of the build
# (the checkout may be read-only), with the site's own scripts copied beside them so that Node
# resolves their imports there. Installs again only when the lock file changed.
#   npm.sh <build-folder>     prints the staging folder: <build-folder>/web-npm
set -eu
here=$(cd "$(dirname "$0")" && pwd)
stage="$1/web-npm"
mkdir -p "$stage"
if ! cmp -s "$here/package-lock.json" "$stage/package-lock.json" || [ ! -d "$stage/node_modules" ]; then
    command -v npm > /dev/null || { echo "npm no está instalado (Debian y Ubuntu: sudo apt install npm)" >&2; exit 1; }
    cp "$here/package.json" "$here/package-lock.json" "$stage/"
    (cd "$stage" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error > /dev/null)
fi
# The scripts run from the staging folder; their own files are always the checkout's.
find "$here" -maxdepth 1 -name '*.mjs' -exec cp {} "$stage/" \;
echo "$stage"
