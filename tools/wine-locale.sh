#!/bin/bash
# Runs Wine under a locale that is not Japanese (C.UTF-8, ANSI code page 1252 for an ordinary
# program): Huebench names its code page, 932, in its manifest and must not rely on the system's.
# HUEBENCH_LOCALE chooses another locale, e.g. ja_JP.UTF-8 to compare with a Japanese Windows.
here=$(cd "$(dirname "$0")" && pwd)
for candidate in wine64 wine /usr/lib/wine/wine64; do
    if command -v "$candidate" >/dev/null 2>&1; then
        exec env LC_ALL="${HUEBENCH_LOCALE:-C.UTF-8}" "$(command -v "$candidate")" "$@"
    fi
done
echo "wine not found; run $here/install-deps.sh" >&2
exit 1
