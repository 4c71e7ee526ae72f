#!/bin/bash
# Starts build/Huebench.exe under Wine. On a display, it runs until closed; with no display, it
# runs on a virtual one for a few seconds and leaves a screenshot in build/screenshot.png.
set -e
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"
export WINEPREFIX="$build/wine-run/prefix"
if [ ! -f "$WINEPREFIX/.huebench-ready" ]; then
    echo "Preparing the Wine prefix (first run only)..."
fi
if [ -n "$DISPLAY" ] && xdpyinfo >/dev/null 2>&1; then
    HUEBENCH_DISPLAY=$DISPLAY "$here/wine-env.sh" setup "$build/wine-run" >/dev/null
    exec "$WINE" "$build/Huebench.exe"
fi
"$here/wine-env.sh" setup "$build/wine-run"
export DISPLAY=$(cat "$build/wine-run/display")
"$WINE" "$build/Huebench.exe" &
pid=$!
sleep "${HUEBENCH_RUN_SECONDS:-6}"
import -window root "$build/screenshot.png"
echo "Screenshot: $build/screenshot.png"
"$here/wine-env.sh" cleanup "$build/wine-run"
wait $pid 2>/dev/null || true
