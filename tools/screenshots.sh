#!/bin/bash
# The README's picture from a real run of BUILD/Huebench.exe under Wine on a virtual display: the
# main form with three preview windows of different colour pairs side by side, the pointer resting
# on the one whose text is hard to read, so that it shows its contrast tip. Written as a small
# palette PNG; a picture of 200 KiB or more is refused.
#   screenshots.sh BUILD OUT.png
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 BUILD OUT.png" >&2; exit 2; }
OUT=$(realpath -m "$2")
export HUEBENCH_WINE_DIR=$(cd "$1" && pwd)/wine-shots
. "$(dirname "$0")/../tests/e2e/lib.sh" "$1/Huebench.exe"
EXIT_STEPS+=('"$REPO/tools/wine-env.sh" cleanup "$HUEBENCH_WINE_DIR"')

# The first preview: dark brown text on cornsilk inside a saddle-brown band.
write_settings <<'INI'
[MAINWINDOW]
POSITION=20,20,1060,660
[MENU]
SYNCHRO=0
[MDIWINDOW]
RECT=0,0,300,220
[PREVIEW]
STRING=色の見本 Aa 123
EDITCLR=14481663
BACKCLR=1262987
FONTCLR=1056816
FONTFACE=IPAGothic
FONTHEIGHT=-18
INI

# Opens a preview and gives it an inner colour and a band colour.
open_preview() {
    local count=$1 band=$2 inner=$3
    click_caption
    press ctrl+n
    wait_eq "$count" "previews after Ctrl+N" preview_count
    retype_field $HEXEDIT "$band"
    click_control $APPLY
    wait_eq "${band#\#}" "the new preview's inner colour" inner_colour 1
    double_click_at $(band_point 1)
    wait_eq "${band#\#}" "the new preview's band" band_colour 1
    retype_field $HEXEDIT "$inner"
    click_control $APPLY
    wait_eq "${inner#\#}" "the new preview's inner colour" inner_colour 1
    click_at $(inner_point 1)
    press ctrl+End shift+ctrl+Home
    type_text "$4"
}

start_program
open_preview 2 "#1E3A5F" "#F0F4F8" "Sample Aa 123"
open_preview 3 "#2E7D32" "#43A047" "Aa 123"
click_caption
press alt+w v
sleep 1

# Rests the pointer on the last preview (the leftmost after tiling) until its contrast tip shows.
read -r left top right bottom _ < <(probe children MAINFORM MDI_CHILD Edit | sed -n 1p)
xdotool mousemove $((left + 20)) $(((top + bottom) / 2 + 20))
sleep 0.3
xdotool mousemove_relative 4 4
tip_shown() { probe windows | grep -q '^tooltips_class32 '; }
WAIT_SECONDS=15 wait_for "the contrast tip" tip_shown
sleep 0.5

# The picture: the form and the tip, whichever reaches further.
read -r left top right bottom < <(
    { form_rect; probe windows | awk '$1 == "tooltips_class32" { print $2, $3, $4, $5 }'; } |
        awk 'NR == 1 { l = $1; t = $2; r = $3; b = $4 }
             { if ($1 < l) l = $1; if ($2 < t) t = $2; if ($3 > r) r = $3; if ($4 > b) b = $4 }
             END { print l, t, r, b }')
screenshot readme-screen
mkdir -p "$(dirname "$OUT")"
convert "$BUILD/readme-screen.png" -crop $((right - left))x$((bottom - top))+$left+$top +repage \
    +dither -colors 128 -define png:compression-level=9 "PNG8:$OUT"
size=$(stat -c %s "$OUT")
[ "$size" -lt 204800 ] || fail "the picture is $size bytes, 200 KiB or more"
quit_with_alt_f4
echo "picture: $OUT ($size bytes, $((right - left))x$((bottom - top)))"
