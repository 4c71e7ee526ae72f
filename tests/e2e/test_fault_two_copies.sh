#!/bin/bash
# Two copies of the program run from the same folder and share one settings file, which the first
# to close rewrites under the other's feet: the copy closed last wins with all of its own settings,
# the file stays whole (every section and key once), and the next start shows the winner's state.
. "$(dirname "$0")/lib.sh" "$1"

write_settings <<'INI'
[MAINWINDOW]
POSITION=60,40,540,369
[PREVIEW]
EDITCLR=3368601
INI

start_both() {
    start_program
    FIRST_PID=$PROGRAM_PID
    start_program
    SECOND_PID=$PROGRAM_PID
    expect_eq "$(main_form_count)" 2 "main forms"
    # The second copy read the same placement and lies on top of the first: move it aside.
    local left top
    read -r left top _ _ < <(form_rect)
    drag $((left + 200)) $((top + 10)) $((left + 800)) $((top + 510))
    expect_eq "$(form_rect)" "660 540 1140 869" "the second copy after moving it"
}

second_copy_changes_its_settings_and_closes() {
    press alt+o o # colour codes in lower case
    retype_field $HEXEDIT "#B0C0D0"
    click_control $APPLY
    wait_eq "#b0c0d0" "the second copy's preview" preview_title
    quit_with_alt_f4 "$SECOND_PID"
    expect_eq "$(main_form_count)" 1 "main forms after the second copy closed"
    expect_eq "$(ini_value MAINWINDOW POSITION)" "660,540,1140,869" "placement saved by the second copy"
    expect_eq "$(ini_value PREVIEW EDITCLR)" "$((0xD0C0B0))" "colour saved by the second copy"
    expect_eq "$(ini_value MENU CAPTION)" 0 "lower case saved by the second copy"
}

first_copy_closes_last_and_wins() {
    expect_eq "$(form_rect)" "60 40 540 369" "the first copy where it started"
    retype_field $HEXEDIT "#A0A0A0"
    click_control $APPLY
    wait_eq "#A0A0A0" "the first copy's preview, still in upper case" preview_title
    quit_with_alt_f4 "$FIRST_PID"
    expect_eq "$(ini_value MAINWINDOW POSITION)" "60,40,540,369" "placement of the copy closed last"
    expect_eq "$(ini_value PREVIEW EDITCLR)" "$((0xA0A0A0))" "colour of the copy closed last"
    expect_eq "$(ini_value MENU CAPTION)" 8 "upper case of the copy closed last"
    expect_eq "$(ini_value HISTORY COLORS)" "#A0A0A0" "recent colours of the copy closed last"
}

file_is_whole() {
    local lines
    lines=$(iconv -f CP932 -t UTF-8 "$WORK/$PROGRAM_NAME.ini" | tr -d '\r')
    expect_eq "$(grep -c '^\[' <<<"$lines")" 5 "sections in the file"
    local bad
    bad=$(grep -v -e '^\[[A-Z]*\]$' -e '^[A-Z]*=' <<<"$lines" || true)
    expect_eq "$bad" "" "lines that are neither a section nor a key"
    local repeated
    repeated=$(awk '/^\[/ { section = $0 } /=/ { print section substr($0, 1, index($0, "=")) }' <<<"$lines" |
        sort | uniq -d)
    expect_eq "$repeated" "" "keys written twice"
}

next_start_shows_the_winner() {
    start_program
    expect_eq "$(form_rect)" "60 40 540 369" "placement at the next start"
    expect_eq "$(preview_title)" "#A0A0A0" "the preview at the next start"
    quit_with_alt_f4
}

start_both
second_copy_changes_its_settings_and_closes
first_copy_closes_last_and_wins
file_is_whole
next_start_shows_the_winner
echo "two copies scenario passed"
