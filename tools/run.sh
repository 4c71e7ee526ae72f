#!/bin/bash
# Starts build/Huebench.exe under Wine. On a display, it runs until closed; with no display, it
# runs on a virtual one for a few seconds and leaves a screenshot in build/screenshot.png.
# HUEBENCH_DPI=144 (or 120, 192, ...) runs it in a prefix of its own drawn at that resolution.
set -e
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"
dpi=${HUEBENCH_DPI:-}
env_dir=$build/wine-run${dpi:+-dpi$dpi}
export WINEPREFIX="$env_dir/prefix"
if [ ! -f "$WINEPREFIX/.huebench-ready" ]; then
    echo "Preparing the Wine prefix (first run only)..."
fi
if [ -n "$DISPLAY" ] && xdpyinfo >/dev/null 2>&1; then
    HUEBENCH_DISPLAY=$DISPLAY "$here/wine-env.sh" setup "$env_dir" ${dpi:+"$dpi" "$build/wine"} >/dev/null
    exec "$WINE" "$build/Huebench.exe"
fi
"$here/wine-env.sh" setup "$env_dir" ${dpi:+"$dpi" "$build/wine"}
export DISPLAY=$(cat "$env_dir/display")
"$WINE" "$build/Huebench.exe" &
pid=$!
sleep "${HUEBENCH_RUN_SECONDS:-6}"
import -window root "$build/screenshot.png"
echo "Screenshot: $build/screenshot.png"
"$here/wine-env.sh" cleanup "$env_dir"
wait $pid 2>/dev/null || true
