#!/bin/sh
# Runs one of the site's tests, or skips it (77) where node or npm is not installed.
if ! command -v node > /dev/null || ! command -v npm > /dev/null; then
    echo "node and npm are not installed (Debian: apt install nodejs npm): the site is not built nor tested"
    exit 77
fi
exec "$@"
