#!/bin/bash
# Runs a Windows program under the private Wine environment prepared by wine-env.sh.
# HUEBENCH_WINE_DIR names that environment (default: build/wine beside this script's tree).
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"
dir=${HUEBENCH_WINE_DIR:-$here/../build/wine}
mkdir -p "$dir" && dir=$(cd "$dir" && pwd)
if [ ! -f "$dir/display" ]; then
    "$here/wine-env.sh" setup "$dir" || exit 1
fi
export WINEPREFIX="$dir/prefix"
export DISPLAY=$(cat "$dir/display")
exec "$WINE" "$@"
