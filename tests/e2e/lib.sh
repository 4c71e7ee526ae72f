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
# The program's file name in the scenario's folder; its settings file and print jobs are named after it.
PROGRAM_NAME=Huebench
# The folder the program is copied to and started from; a scenario may name another.
PROGRAM_DIR=$WORK
# The settings file a program keeps when it cannot write beside itself: %APPDATA% of Wine's user.
USER_SETTINGS=$HUEBENCH_WINE_DIR/prefix/drive_c/users/$(id -un)/AppData/Roaming/Huebench/Huebench.ini
PROGRAM_PID=
PROGRAM_PIDS=()

# Control identifiers of the main form.
HEXEDIT=1017
TAB=1028
RSLIDER=1042
REDIT=1043
GSLIDER=1044
GEDIT=1045
BSLIDER=1046
BEDIT=1050
RSPIN=1054
GSPIN=1055
BSPIN=1056
APPLY=1059
CHOOSECOLOR=1062
COLORLIST=1063
STATUS=1064
SAFESLIDE=1068
# Controls of the system dialogs: OK, the colour dialog's red, green and blue fields, the font
# dialog's size box.
DIALOG_OK=1
COLOR_RED=706
COLOR_GREEN=707
COLOR_BLUE=708
FONT_SIZE=1138

fail() {
    echo "FAIL: $*" >&2
    screenshot "failure-$(basename "$0" .sh)" || true
    probe windows 2>/dev/null | iconv -f CP932 -t UTF-8 >&2 || true
    exit 1
}

# One probe process answers the scenario's questions one line at a time: starting a Windows
# process for each would cost a few tenths of a second. The whole answer is read before any of
# it is written out, so a reader that stops early (head -1) leaves nothing behind in the pipe.
start_probe_server() {
    mkfifo "$WORK/probe.in" "$WORK/probe.out"
    "$REPO/tools/wine-run.sh" "$PROBE" serve <"$WORK/probe.in" >"$WORK/probe.out" 2>/dev/null &
    PROBE_SERVER_PID=$!
    exec {PROBE_IN}>"$WORK/probe.in" {PROBE_OUT}<"$WORK/probe.out"
}

stop_probe_server() {
    [ -n "${PROBE_SERVER_PID:-}" ] || return 0
    exec {PROBE_IN}>&- {PROBE_OUT}<&-
    local deadline=$((SECONDS + 5))
    while kill -0 "$PROBE_SERVER_PID" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
    kill "$PROBE_SERVER_PID" 2>/dev/null || true
    wait "$PROBE_SERVER_PID" 2>/dev/null || true
    PROBE_SERVER_PID=
}

# Runs a command in the background without the probe's pipes, so that only this script holds
# them; answers nothing, sets BACKGROUND_PID.
run_in_background() {
    "$@" {PROBE_IN}>&- {PROBE_OUT}<&- &
    BACKGROUND_PID=$!
}

probe() {
    echo "$*" >&"$PROBE_IN"
    local line answer='' code=''
    while IFS= read -r -t 60 line <&"$PROBE_OUT"; do
        line=${line%$'\r'}
        if [[ $line == "--probe-end-- "* ]]; then
            code=${line#--probe-end-- }
            break
        fi
        answer+=$line$'\n'
    done
    [ -n "$code" ] || { echo "the probe did not answer: $*" >&2; exit 1; }
    printf '%s' "$answer"
    return "$code"
}

# Text the program shows, converted from code page 932 for comparing with UTF-8 literals.
probe_text() { probe "$@" | iconv -f CP932 -t UTF-8; }

screenshot() {
    import -window root "$BUILD/$1.png"
    echo "screenshot: $BUILD/$1.png"
}

# Waits until a command's output equals the expected text; fails with the last output after
# WAIT_SECONDS (default 30: a limit for a busy machine, not a pace).
wait_eq() {
    local expected=$1 what=$2
    shift 2
    local actual deadline=$((SECONDS + ${WAIT_SECONDS:-30}))
    while :; do
        actual=$("$@" 2>/dev/null) || actual="(failed: $actual)"
        [ "$actual" = "$expected" ] && return 0
        [ $SECONDS -lt $deadline ] || fail "$what: expected '$expected', got '$actual'"
        sleep 0.1
    done
}

# Waits until a command succeeds.
wait_for() {
    local what=$1
    shift
    local deadline=$((SECONDS + ${WAIT_SECONDS:-30}))
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || fail "gave up waiting: $what"
        sleep 0.1
    done
}

# Writes the scenario's settings file from UTF-8 lines, as code page 932 with CR LF line ends.
write_settings() { iconv -f UTF-8 -t CP932 | sed 's/$/\r/' >"$PROGRAM_DIR/$PROGRAM_NAME.ini"; }

main_form_count() { probe windows | grep -c '^MAINFORM ' || true; }
more_main_forms_than() { [ "$(main_form_count)" -gt "$1" ]; }

# Starts a copy of the program in the scenario's folder (its settings file is its own) and waits
# for its main form; a second start runs a second copy of the same file.
start_program() {
    cmp -s "$EXE" "$PROGRAM_DIR/$PROGRAM_NAME.exe" || cp "$EXE" "$PROGRAM_DIR/$PROGRAM_NAME.exe"
    local before
    before=$(main_form_count)
    (cd "$PROGRAM_DIR" && exec "$REPO/tools/wine-run.sh" "$PROGRAM_DIR/$PROGRAM_NAME.exe" {PROBE_IN}>&- {PROBE_OUT}<&-) &
    PROGRAM_PID=$!
    PROGRAM_PIDS+=("$PROGRAM_PID")
    WAIT_SECONDS=60 wait_for "the main form appears" more_main_forms_than "$before"
    sleep 0.5
}

# Waits for a copy of the program (default: the one started last) to end and answers its exit code.
wait_for_exit() {
    local pid=${1:-$PROGRAM_PID} deadline=$((SECONDS + 15))
    while kill -0 "$pid" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || fail "the program did not end"
        sleep 0.1
    done
    local code=0
    wait "$pid" || code=$?
    [ "$pid" != "$PROGRAM_PID" ] || PROGRAM_PID=
    return $code
}

# Commands a scenario adds to run when it ends, after its programs have been closed.
EXIT_STEPS=()

cleanup() {
    local pid step
    for pid in "${PROGRAM_PIDS[@]}"; do
        if kill -0 "$pid" 2>/dev/null; then
            (probe close MAINFORM) >/dev/null 2>&1 || true
            sleep 1
            kill "$pid" 2>/dev/null || true
        fi
    done
    stop_probe_server
    for step in "${EXIT_STEPS[@]}"; do
        eval "$step" || true
    done
    rm -rf "$WORK"
}
trap cleanup EXIT
start_probe_server

# Geometry of the main form: left top right bottom in screen pixels.
form_rect() { probe rect MAINFORM; }

# The centre of a control of the main form (or of another window class), as "x y".
control_centre() {
    local class=MAINFORM
    [ $# -lt 2 ] || { class=$1; shift; }
    probe control "$class" "$1" | head -1 | awk '{ printf "%d %d\n", ($1 + $3) / 2, ($2 + $4) / 2 }'
}

click_at() {
    xdotool mousemove "$1" "$2"
    sleep 0.2
    xdotool click 1
    sleep 0.3
}

right_click_at() {
    xdotool mousemove "$1" "$2"
    sleep 0.2
    xdotool click 3
    sleep 0.4
}

# Both clicks go in one command, so that they fall within the double-click time however busy the
# machine is.
double_click_at() {
    xdotool mousemove "$1" "$2"
    sleep 0.2
    xdotool mousedown 1 mouseup 1 mousedown 1 mouseup 1
    sleep 0.3
}

# Presses the left button at one point, moves in steps to another and lets go there.
drag() {
    local x1=$1 y1=$2 x2=$3 y2=$4
    xdotool mousemove "$x1" "$y1"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.2
    xdotool mousemove $(((x1 + x2) / 2)) $(((y1 + y2) / 2))
    sleep 0.2
    xdotool mousemove "$x2" "$y2"
    sleep 0.3
    xdotool mouseup 1
    sleep 0.3
}

click_control() { click_at $(control_centre "$@"); }

press() {
    xdotool key --delay 80 "$@"
    sleep 0.3
}

type_text() {
    xdotool type --delay 80 "$1"
    sleep 0.3
}

# Clicks into a field, selects what it holds and types a new text over it.
retype_field() {
    local class=MAINFORM
    [ $# -lt 3 ] || { class=$1; shift; }
    click_control "$class" "$1"
    press End shift+Home
    type_text "$2"
}

# Clicks the main form's title bar, which gives it the keyboard.
click_caption() {
    local left top
    read -r left top _ _ < <(form_rect)
    click_at $((left + 60)) $((top + 10))
}

# Closes the main form in front with Alt+F4 and waits for that copy to end.
quit_with_alt_f4() {
    click_caption
    press alt+F4
    wait_for_exit "$@" || fail "exit code $?"
}

# Reads a key of the scenario's settings file.
ini_value() {
    local section=$1 key=$2
    iconv -f CP932 -t UTF-8 "${3:-$PROGRAM_DIR/$PROGRAM_NAME.ini}" | tr -d '\r' |
        awk -v s="[$section]" -v k="$key" '$0 == s { in_section = 1; next } /^\[/ { in_section = 0 }
            in_section && index($0, k "=") == 1 { print substr($0, length(k) + 2) }'
}

expect_eq() {
    [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"
}

# Fails unless a number lies within a range.
expect_between() {
    if [ "$1" -lt "$2" ] || [ "$1" -gt "$3" ]; then fail "$4: expected $2 to $3, got $1"; fi
}

# --- The preview windows -----------------------------------------------------------------------

preview_count() { probe children MAINFORM MDI_CHILD | wc -l; }

# The title of a preview window (default: the first, which is the active one).
preview_title() { probe children MAINFORM MDI_CHILD | sed -n "${1:-1}p" | cut -d' ' -f5-; }

# The sample text of a preview window, line breaks shown as \n.
preview_text() { probe_text children MAINFORM MDI_CHILD Edit | sed -n "${1:-1}p" | cut -d' ' -f5-; }

preview_rect() { probe children MAINFORM MDI_CHILD | sed -n "${1:-1}p" | cut -d' ' -f1-4; }

# A point of a preview's band, left of its sample text, and a point of its inner area, at the
# lower right where the text does not reach; both as "x y".
band_point() {
    probe children MAINFORM MDI_CHILD Edit | sed -n "${1:-1}p" |
        awk '{ printf "%d %d\n", $1 - 6, ($2 + $4) / 2 }'
}
inner_point() {
    probe children MAINFORM MDI_CHILD Edit | sed -n "${1:-1}p" | awk '{ printf "%d %d\n", $3 - 4, $4 - 4 }'
}
band_colour() { unhidden_pixel $(band_point "$@"); }
inner_colour() { unhidden_pixel $(inner_point "$@"); }

# A preview shows its contrast tip while the pointer rests on it; the tip must not stand in for
# the colours beneath.
tip_covers() {
    probe windows | awk -v x="$1" -v y="$2" '$1 == "tooltips_class32" && $2 <= x && x < $4 && $3 <= y && y < $5 {
        found = 1 } END { exit !found }'
}

# The screen pixel at a point of a preview; a tip over it is sent away by moving the pointer onto
# the main form's title bar.
unhidden_pixel() {
    if tip_covers "$1" "$2"; then
        xdotool mousemove $(form_rect | awk '{ print $1 + 60, $2 + 10 }')
        wait_for "the preview's tip to go" eval "! tip_covers $1 $2"
    fi
    probe pixel "$1" "$2"
}

# The channel values shown in the red, green and blue fields, as "r g b".
channel_fields() {
    echo "$(probe text MAINFORM $REDIT) $(probe text MAINFORM $GEDIT) $(probe text MAINFORM $BEDIT)"
}

# A text of the status bar: part 1 to 7 the active preview's font, 255 the menu help or capture text.
status_text() { probe_text status MAINFORM $STATUS "$1"; }

# --- Dialogs and menus --------------------------------------------------------------------------

# Waits for a system dialog or message box (class #32770) and answers its title.
wait_for_dialog() {
    wait_for "${1:-a dialog} appears" probe wait '#32770' 100
    probe_text windows | awk '$1 == "#32770" { $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print; exit }'
}

# The message of the message box in front.
message_box_text() { probe_text children '#32770' Static | cut -d' ' -f5- | grep -v '^$' | head -1; }

dialog_gone() { probe gone '#32770' 100; }

# Waits for an open menu (class #32768) and answers its rectangle.
wait_for_menu() {
    wait_for "a menu opens" probe wait '#32768' 100
    probe rect '#32768'
}

no_menu_open() { probe gone '#32768' 100; }

# --- The channel controls -----------------------------------------------------------------------

# The screen point where a slider's thumb stands at a value, as "x y": the channel runs from 13
# pixels inside the control's left edge to 14 inside its right edge.
slider_point() {
    local left top right bottom
    read -r left top right bottom < <(probe control MAINFORM "$1" | head -1)
    echo $((left + 13 + ($2 * (right - left - 27) + 127) / 255)) $(((top + bottom) / 2))
}

# Takes a slider's thumb where it stands and drags it to where a value lies.
drag_slider() { drag $(slider_point "$1" "$(probe position MAINFORM "$1")") $(slider_point "$1" "$2"); }

# The up or down arrow of a spin button, as "x y".
spin_arrow() {
    probe control MAINFORM "$1" | head -1 | awk -v half="$2" '{
        y = half == "up" ? $2 + ($4 - $2) / 4 : $4 - ($4 - $2) / 4
        printf "%d %d\n", ($1 + $3) / 2, y
    }'
}

# The colour code as the program writes it with upper-case digits, from "r g b".
colour_code() { printf '#%02X%02X%02X\n' "$1" "$2" "$3"; }

# Checks that the current colour is "r g b": the three fields, the active preview's title, inner
# area and band (synchronised), and the clipboard (auto-copy on).
expect_current_colour() {
    local code
    code=$(colour_code "$1" "$2" "$3")
    wait_eq "$code" "preview title" preview_title
    expect_eq "$(channel_fields)" "$1 $2 $3" "channel fields"
    expect_eq "$(inner_colour)" "${code#\#}" "the preview's inner area"
    expect_eq "$(band_colour)" "${code#\#}" "the preview's band"
    expect_eq "$(probe clipboard)" "$code" "clipboard"
}

# The same, and the hexadecimal field shows the colour's code too.
expect_colour_everywhere() {
    expect_current_colour "$@"
    expect_eq "$(probe text MAINFORM $HEXEDIT)" "$(colour_code "$@")" "hexadecimal field"
}

# --- Printing -------------------------------------------------------------------------------------

# The scenario prints through the CUPS scheduler of its own test run (CTest's cups fixture, in
# build/cups), never the machine's. Run by hand, the scenario starts that scheduler itself and stops
# it when it ends.
export HUEBENCH_CUPS_DIR=${HUEBENCH_CUPS_DIR:-$BUILD/cups}
export CUPS_SERVER=$HUEBENCH_CUPS_DIR/cups.sock
ensure_pdf_printer() {
    scheduler_running() { LC_ALL=C lpstat -r 2>/dev/null | grep -q 'scheduler is running'; }
    if ! scheduler_running; then
        "$REPO/tools/cups-env.sh" setup "$HUEBENCH_CUPS_DIR" || fail "the test run's CUPS cannot be started"
        EXIT_STEPS+=('"$REPO/tools/cups-env.sh" cleanup "$HUEBENCH_CUPS_DIR"')
    fi
    expect_eq "$(LC_ALL=C lpstat -d)" "system default destination: PDF" "the test run's default printer"
}

# The folder where that scheduler's cups-pdf queue puts its documents.
pdf_folder() { echo "$HUEBENCH_CUPS_DIR/pdf"; }

# The PDFs printed by this scenario's program: cups-pdf names them after the document, which the
# program names after itself (cups-pdf may append a few stray characters to the name).
printed_pdfs() { find "$(pdf_folder)" -maxdepth 1 -name "$PROGRAM_NAME*-job_*.pdf" 2>/dev/null | sort; }
any_pdf_printed() { [ -n "$(printed_pdfs)" ]; }

# Jobs the scheduler has not finished; cups-pdf has written its PDF whole before its job ends.
jobs_pending() { [ -n "$(LC_ALL=C lpstat -o 2>/dev/null)" ]; }
pdf_printed_whole() { any_pdf_printed && ! jobs_pending; }
