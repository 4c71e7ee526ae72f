#!/bin/bash
# Screen colour capture: Ctrl+Q starts it and the status bar says so, also while the menus are
# browsed; the colour under the pointer becomes the current colour wherever the pointer goes;
# Ctrl+Q with another program in front ends it through the global hot key; closing the last
# preview window ends it too.
. "$(dirname "$0")/lib.sh" "$1"

write_settings <<'INI'
[MENU]
AUTOCOPY=8
INI

CAPTURE_TEXT="色のキャプチャ中...  (終了するには [Ctrl+Q] キーを押してください)"

# The colour of the screen pixel at a point, as "r g b".
screen_rgb() { probe pixel "$1" "$2" | sed 's/../0x& /g' | awk '{ printf "%d %d %d\n", $1, $2, $3 }'; }

# Moves the pointer and waits until the current colour is the one seen there.
capture_at() {
    local rgb
    rgb=$(screen_rgb "$1" "$2")
    xdotool mousemove "$1" "$2"
    expect_colour_everywhere $rgb
}

ctrl_q_starts_capture() {
    click_caption
    press ctrl+q
    wait_eq "$CAPTURE_TEXT" "the status bar while capturing" status_text 255
    # Browsing the menus leaves the capture message in place.
    press alt+o Down
    expect_eq "$(status_text 255)" "$CAPTURE_TEXT" "the status bar while a menu is open"
    press Escape Escape
    expect_eq "$(status_text 255)" "$CAPTURE_TEXT" "the status bar after the menu closed"
    press alt+o z # the zoom submenu, behind the magnifier's item
    screenshot capture-zoom-menu
    press Escape Escape Escape
}

the_colour_follows_the_pointer() {
    local left top right bottom
    read -r left top right bottom < <(form_rect)
    capture_at 40 40
    capture_at $((left + 100)) $((bottom - 60)) # the empty lower part of the numbers page
    capture_at 40 $((bottom + 40))
    screenshot capture
    the_magnifier_follows_over_text
}

# The magnifier over real text (the R label), below right and clear of the pixels it reads.
loupe_beside() {
    local left top
    read -r left top _ _ < <(probe rect HuebenchLoupe) && [ "$left" -gt $(($1 + 5)) ] && [ "$top" -gt $(($2 + 5)) ]
}
the_magnifier_follows_over_text() {
    local x y
    read -r x y < <(control_centre 1047)
    xdotool mousemove "$x" "$y"
    wait_for "the magnifier below right of $x,$y" loupe_beside "$x" "$y"
    sleep 0.3
    screenshot capture-loupe
}

hot_key_ends_capture_from_another_program() {
    run_in_background "$REPO/tools/wine-run.sh" notepad
    NOTEPAD_PID=$BACKGROUND_PID
    PROGRAM_PIDS+=("$NOTEPAD_PID")
    wait_for "another program's window" probe wait Notepad 100
    local left top
    read -r left top _ _ < <(probe rect Notepad)
    click_at $((left + 60)) $((top + 10))
    wait_eq Notepad "the window in front" probe foreground
    expect_eq "$(status_text 255)" "$CAPTURE_TEXT" "the status bar with another program in front"
    press ctrl+q
    wait_eq "" "the status bar after the hot key" status_text 255
    wait_for "the magnifier to go" probe gone HuebenchLoupe 100
    local before
    before=$(preview_title)
    xdotool mousemove 30 1000
    sleep 0.5
    expect_eq "$(preview_title)" "$before" "the preview once capture has ended"
    probe close Notepad >/dev/null
    wait_for_exit "$NOTEPAD_PID" || true
}

first_tip_line() { probe_text tip | sed -n '1s/\r$//p'; } # the tip's lines end in CR LF

# Two windows of known colours; answers when both are on the screen.
show_swatches() {
    run_in_background "$REPO/tools/wine-run.sh" "$PROBE" swatch 333333 900 150 150
    PROGRAM_PIDS+=("$BACKGROUND_PID")
    run_in_background "$REPO/tools/wine-run.sh" "$PROBE" swatch FFFF99 900 420 150
    PROGRAM_PIDS+=("$BACKGROUND_PID")
    wait_eq "333333 FFFF99" "the two swatches" eval 'echo $(probe pixel 975 225) $(probe pixel 975 495)'
}

# The text colour and the background in five keystrokes (Ctrl+Q, point, Ctrl+T, point, Ctrl+Q),
# the contrast tip then giving the verdict; on the way an arrow steps the pointer by one pixel,
# and the magnifier is photographed at each zoom (PageUp and PageDown).
pair_in_five_keystrokes() {
    show_swatches
    click_caption
    press ctrl+q
    wait_eq "$CAPTURE_TEXT" "the status bar while capturing" status_text 255
    xdotool mousemove 975 225
    wait_eq "#333333" "the preview over the text colour" preview_title
    press ctrl+t Right
    expect_eq "$(xdotool getmouselocation | cut -d' ' -f1-2)" "x:976 y:225" "the pointer after the arrow key"
    xdotool mousemove 901 421 # the corner of the background window
    local zoom key
    for zoom in 10 20 5; do
        wait_eq "#FFFF99" "the preview over the corner" preview_title
        sleep 0.5
        screenshot "capture-loupe-$zoom"
        for key in $([ $zoom = 10 ] && echo Prior || echo Next Next); do press "$key"; done
    done
    xdotool mousemove 975 495
    wait_eq "#FFFF99" "the preview over the background" preview_title
    press ctrl+q
    wait_eq "" "the status bar after the pair" status_text 255
    expect_eq "$(status_text 3)" "#333333" "the text colour in the status bar"
    local x y
    read -r x y < <(band_point)
    xdotool mousemove "$x" "$y"
    wait_eq "文字色 #333333 / 内側 #FFFF99  コントラスト比 12.04:1  AA 適合・AAA 適合 (通常の文字)" "the verdict" \
        first_tip_line
    screenshot capture-pair-verdict
}

closing_the_last_preview_ends_capture() {
    click_caption
    press ctrl+q
    wait_eq "$CAPTURE_TEXT" "the status bar while capturing again" status_text 255
    press ctrl+F4
    wait_eq 0 "previews after Ctrl+F4" preview_count
    wait_eq "" "the status bar after the last preview closed" status_text 255
    local before
    before=$(probe text MAINFORM $HEXEDIT)
    xdotool mousemove 40 40
    sleep 0.5
    expect_eq "$(probe text MAINFORM $HEXEDIT)" "$before" "the hexadecimal field once capture has ended"
}

start_program
ctrl_q_starts_capture
the_colour_follows_the_pointer
hot_key_ends_capture_from_another_program
pair_in_five_keystrokes
closing_the_last_preview_ends_capture
quit_with_alt_f4
echo "capture scenario passed"
