#!/bin/bash
# The program cannot write beside itself: first a folder stands where its settings file belongs,
# then its folder is immutable (chattr +i, which holds for root too; a read-only bind mount in a
# mount namespace of the program's own would not do: Wine opens files in its wineserver, outside
# that namespace, and writes beside the program after all). Either way it starts with the defaults, works as usual without any message, keeps
# its settings in %APPDATA%\Huebench across a restart and leaves its own folder as it was.
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
    retype_field $HEXEDIT "$1"
    click_control $APPLY
    wait_eq "$1" "the preview after applying" preview_title
    press ctrl+n
    wait_eq 2 "previews after Ctrl+N" preview_count
    press ctrl+F4 # closing a preview saves its settings
    wait_eq 1 "previews after Ctrl+F4" preview_count
    no_message_boxes "after closing a preview"
    quit_with_alt_f4
}

keeps_its_settings_in_appdata() {
    expect_eq "$(ini_value PREVIEW EDITCLR "$USER_SETTINGS")" "$2" "the inner colour kept in %APPDATA%"
    start_program
    expect_eq "$(preview_title)" "$1" "the preview's title at the next start"
    quit_with_alt_f4
    rm "$USER_SETTINGS"
}

rm -f "$USER_SETTINGS"
EXIT_STEPS+=('rm -f "$USER_SETTINGS"')
mkdir "$SETTINGS"
starts_with_the_defaults
works_and_ends_normally "#FF00FF"
keeps_its_settings_in_appdata "#FF00FF" $((0xFF00FF))
expect_eq "$(ls -A "$SETTINGS")" "" "the folder's contents"
expect_eq "$(ls -A "$WORK" | grep -v '^probe\.' | tr '\n' ' ')" "$PROGRAM_NAME.exe $PROGRAM_NAME.ini " \
    "the program's folder: nothing written beside the program"
rmdir "$SETTINGS"

PROGRAM_DIR=$WORK/read-only
mkdir "$PROGRAM_DIR"
cp "$EXE" "$PROGRAM_DIR/$PROGRAM_NAME.exe"
chattr +i "$PROGRAM_DIR" || fail "the folder cannot be made immutable"
EXIT_STEPS+=('chattr -i "$PROGRAM_DIR"')
starts_with_the_defaults
works_and_ends_normally "#00FFFF"
keeps_its_settings_in_appdata "#00FFFF" $((0xFFFF00))
expect_eq "$(ls -A "$PROGRAM_DIR")" "$PROGRAM_NAME.exe" "the read-only folder's contents"
echo "unwritable settings scenario passed"
