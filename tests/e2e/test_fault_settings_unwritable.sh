#!/bin/bash
# The settings file cannot be written (a folder stands where it belongs): the program starts with
# the defaults, works as usual, closes a preview and ends normally without any message, leaves the
# folder as it was, and the next start again finds nothing saved.
. "$(dirname "$0")/lib.sh" "$1"

SETTINGS=$WORK/$PROGRAM_NAME.ini

no_message_boxes() { expect_eq "$(probe windows | grep -c '^#32770' || true)" 0 "message boxes $1"; }

starts_with_the_defaults() {
    start_program
    no_message_boxes "at start"
    expect_eq "$(preview_title)" "#000000" "the preview's title with the defaults"
    expect_eq "$(preview_text)" "ｼﾞｬﾝｸﾒﾀﾙ" "the preview's sample text with the defaults"
}

works_and_ends_normally() {
    retype_field $HEXEDIT "#FF00FF"
    click_control $APPLY
    wait_eq "#FF00FF" "the preview after applying" preview_title
    press ctrl+n
    wait_eq 2 "previews after Ctrl+N" preview_count
    press ctrl+F4 # closing a preview saves its settings
    wait_eq 1 "previews after Ctrl+F4" preview_count
    no_message_boxes "after closing a preview"
    quit_with_alt_f4
}

start_again_finds_nothing_saved() {
    [ -d "$SETTINGS" ] || fail "the folder in place of the settings file is gone"
    expect_eq "$(ls -A "$SETTINGS")" "" "the folder's contents"
    expect_eq "$(ls -A "$WORK" | grep -v '^probe\.' | tr '\n' ' ')" "$PROGRAM_NAME.exe $PROGRAM_NAME.ini " \
        "the program's folder: nothing written elsewhere"
    rmdir "$SETTINGS"
    start_program
    expect_eq "$(preview_title)" "#000000" "the preview's title at the next start"
    quit_with_alt_f4
}

mkdir "$SETTINGS"
starts_with_the_defaults
works_and_ends_normally
start_again_finds_nothing_saved
echo "unwritable settings scenario passed"
