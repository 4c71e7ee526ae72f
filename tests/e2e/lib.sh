# Shared steps of the end-to-end scenarios: start build/Huebench.exe from a temporary folder under
# Wine, look at it from outside (probe.exe, screenshots) and drive it with real input (xdotool).
# Usage in a scenario: . "$(dirname "$0")/lib.sh" "$1"   ($1: the built Huebench.exe)
set -euo pipefail
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
REPO=$(cd "$E2E_DIR/../.." && pwd)
EXE=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
BUILD=$(dirname "$EXE")
PROBE=$BUILD/tests/probe.exe
export HUEBENCH_WINE_DIR=${HUEBENCH_WINE_DIR:-$BUILD/wine}
"$REPO/tools/wine-env.sh" setup "$HUEBENCH_WINE_DIR"
export DISPLAY=$(cat "$HUEBENCH_WINE_DIR/display")
WORK=$(mktemp -d /tmp/huebench-e2e.XXXXXX)
PROGRAM_PID=

fail() {
    echo "FAIL: $*" >&2
    screenshot "failure-$(basename "$0" .sh)" || true
    exit 1
}

probe() { "$REPO/tools/wine-run.sh" "$PROBE" "$@" | tr -d '\r'; }

# Text the program shows, converted from code page 932 for comparing with UTF-8 literals.
probe_text() { probe "$@" | iconv -f CP932 -t UTF-8; }

screenshot() {
    import -window root "$BUILD/$1.png"
    echo "screenshot: $BUILD/$1.png"
}

# Starts a fresh copy of the program in the scenario's folder (its settings file is its own).
start_program() {
    cp "$EXE" "$WORK/Huebench.exe"
    (cd "$WORK" && exec "$REPO/tools/wine-run.sh" "$WORK/Huebench.exe") &
    PROGRAM_PID=$!
    probe wait MAINFORM 30000 >/dev/null || fail "the main form did not appear"
    sleep 0.5
}

# Waits for the program to end and answers its exit code.
wait_for_exit() {
    probe gone MAINFORM 15000 || fail "the program did not end"
    local code=0
    wait "$PROGRAM_PID" || code=$?
    PROGRAM_PID=
    return $code
}

cleanup() {
    if [ -n "$PROGRAM_PID" ]; then
        probe close MAINFORM >/dev/null 2>&1 || true
        sleep 1
        kill "$PROGRAM_PID" 2>/dev/null || true
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT

# Geometry of the main form: left top right bottom in screen pixels.
form_rect() { probe rect MAINFORM; }

# The centre of a control of the main form, as "x y".
control_centre() {
    probe control MAINFORM "$1" | head -1 | awk '{ printf "%d %d\n", ($1 + $3) / 2, ($2 + $4) / 2 }'
}

click_at() {
    xdotool mousemove "$1" "$2"
    sleep 0.2
    xdotool click 1
    sleep 0.3
}

click_control() { click_at $(control_centre "$1"); }

press() {
    xdotool key --delay 80 "$@"
    sleep 0.3
}

type_text() {
    xdotool type --delay 80 "$1"
    sleep 0.3
}

# Reads a key of the scenario's settings file.
ini_value() {
    local section=$1 key=$2
    iconv -f CP932 -t UTF-8 "$WORK/Huebench.ini" | tr -d '\r' |
        awk -v s="[$section]" -v k="$key" '$0 == s { in_section = 1; next } /^\[/ { in_section = 0 }
            in_section && index($0, k "=") == 1 { print substr($0, length(k) + 2) }'
}

expect_eq() {
    [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"
}
