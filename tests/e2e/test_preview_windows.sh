#!/bin/bash
# Preview windows come and go: Ctrl+N opens one, Ctrl+F6 activates the next and loads its colour
# into the fields, the Window menu tiles them, Escape in a sample text leaves its window open,
# Ctrl+F4 closes the active one and saves it at once, "close all" closes the rest; with none open
# Ctrl+P and Ctrl+Q do nothing and Ctrl+N still works; the client area's context menu shows its help
# text in the status bar and opens a new window.
. "$(dirname "$0")/lib.sh" "$1"

# A wide form, so that three previews fit side by side.
write_settings <<'INI'
[MAINWINDOW]
POSITION=100,50,1000,650
INI

mdi_client_rect() { probe children MAINFORM MDIClient | head -1 | cut -d' ' -f1-4; }

# Each preview's rectangle, one per line.
preview_rects() { probe children MAINFORM MDI_CHILD | cut -d' ' -f1-4; }

ctrl_n_opens_previews() {
    click_caption
    press ctrl+n
    wait_eq 2 "previews after Ctrl+N" preview_count
    press ctrl+n
    wait_eq 3 "previews after a second Ctrl+N" preview_count
}

switching_previews_loads_their_colours() {
    retype_field $HEXEDIT "#FF0000"
    click_control $APPLY
    wait_eq "#FF0000" "the active preview after applying" preview_title
    press ctrl+F6
    wait_eq "#000000" "the preview that Ctrl+F6 activated" preview_title
    expect_eq "$(channel_fields)" "0 0 0" "channel fields after switching previews"
    expect_eq "$(probe text MAINFORM $HEXEDIT)" "#000000" "hexadecimal field after switching previews"
    probe children MAINFORM MDI_CHILD | grep -q ' #FF0000$' || fail "the red preview lost its colour"
}

window_menu_tiles_them() {
    press alt+w v
    local tops lefts
    tops=$(preview_rects | cut -d' ' -f2 | sort -u | wc -l)
    lefts=$(preview_rects | cut -d' ' -f1 | sort -u | wc -l)
    expect_eq "$tops $lefts" "1 3" "distinct tops and lefts of three windows side by side"
    screenshot previews-side-by-side
    press alt+w h
    tops=$(preview_rects | cut -d' ' -f2 | sort -u | wc -l)
    lefts=$(preview_rects | cut -d' ' -f1 | sort -u | wc -l)
    expect_eq "$tops $lefts" "3 1" "distinct tops and lefts of three windows one above the other"
}

escape_in_the_sample_text_keeps_the_preview() {
    click_at $(inner_point)
    press End
    type_text ab
    press Escape
    type_text c
    wait_for "the sample text typed around an Escape" eval 'preview_text | grep -q "abc$"'
    expect_eq "$(preview_count)" 3 "previews after Escape in a sample text"
    screenshot escape-in-the-sample-text
}

ctrl_f4_closes_the_active_one_and_saves_it() {
    [ -z "$(ini_value MDIWINDOW RECT)" ] || fail "a preview's placement was saved before anything was closed"
    press ctrl+F4
    wait_eq 2 "previews after Ctrl+F4" preview_count
    [ -n "$(ini_value MDIWINDOW RECT)" ] || fail "closing a preview did not save its placement"
    expect_eq "$(ini_value PREVIEW EDITCLR)" 0 "the closed preview's colour"
}

close_all_leaves_none_and_the_file_commands_still_work() {
    press alt+w a
    wait_eq 0 "previews after close all" preview_count
    press ctrl+p
    sleep 1
    dialog_gone || fail "Ctrl+P without a preview window opened a dialog"
    press ctrl+q
    expect_eq "$(status_text 255)" "" "the status bar after Ctrl+Q without a preview window"
    press ctrl+n
    wait_eq 1 "previews after Ctrl+N on the bar without previews" preview_count
}

# A point of the client area that no preview window covers, as "x y".
empty_client_point() {
    local left top right bottom x y
    read -r left top right bottom < <(mdi_client_rect)
    for x in $((left + 8)) $((right - 8)); do
        for y in $((top + 8)) $((bottom - 8)); do
            if preview_rects | awk -v x=$x -v y=$y '$1 <= x && x < $3 && $2 <= y && y < $4 { covered = 1 }
                END { exit covered }'; then
                echo "$x $y"
                return
            fi
        done
    done
    fail "every corner of the client area is covered"
}

client_menu_shows_help_and_opens_a_window() {
    right_click_at $(empty_client_point)
    wait_for_menu >/dev/null
    press Down
    wait_eq "新しいプレビューウィンドウ表示します" "the help text of the new-window item" status_text 255
    press Return
    wait_eq 2 "previews after the context menu's new window" preview_count
    wait_eq "" "the status bar after the menu closed" status_text 255
}

start_program
ctrl_n_opens_previews
switching_previews_loads_their_colours
window_menu_tiles_them
escape_in_the_sample_text_keeps_the_preview
ctrl_f4_closes_the_active_one_and_saves_it
close_all_leaves_none_and_the_file_commands_still_work
client_menu_shows_help_and_opens_a_window
quit_with_alt_f4
sections=$(grep -a '^\[' "$WORK/$PROGRAM_NAME.ini" | tr -d '\r' | tr '\n' ' ')
expect_eq "$sections" "[MAINWINDOW] [MDIWINDOW] [PREVIEW] [MENU] [HISTORY] " \
    "sections: the previews' come before the menu's"
echo "preview windows scenario passed"
