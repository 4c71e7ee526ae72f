#!/bin/bash
# Runs Wine with the Japanese locale, so that the ANSI code page is 932.
here=$(cd "$(dirname "$0")" && pwd)
for candidate in wine64 wine /usr/lib/wine/wine64; do
    if command -v "$candidate" >/dev/null 2>&1; then
        exec env LC_ALL=ja_JP.UTF-8 "$(command -v "$candidate")" "$@"
    fi
done
echo "wine not found; run $here/install-deps.sh" >&2
exit 1
