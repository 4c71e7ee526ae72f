#!/bin/bash
# Quitting and starting again: what a person sets up by hand - the form's place and size, four
# options from the menu, safe sliding, a colour, a two-line sample text, a font size and the names
# page - is all there again after File > Exit and a new start.
. "$(dirname "$0")/lib.sh" "$1"

move_and_resize_the_form() {
    local left top right bottom
    read -r left top right bottom < <(form_rect)
    drag $((left + 200)) $((top + 10)) $((left - 100)) $((top - 240))
    drag $((right - 302)) $((bottom - 252)) $((right - 182)) $((bottom - 162))
    FORM=$(form_rect)
    expect_eq "$FORM" "$((left - 300)) $((top - 250)) $((right - 180)) $((bottom - 160))" \
        "the form after moving it and dragging its corner"
}

set_options_from_the_menu() {
    click_caption
    press alt+o c # copy each colour code to the clipboard
    press alt+o o # lower-case codes
    press alt+o s # stop synchronising the band
    press alt+o t # always on top
    expect_eq "$(probe topmost MAINFORM)" 1 "the form stays on top"
    click_control $SAFESLIDE
}

set_colour_text_and_font() {
    retype_field $HEXEDIT "#AB12CD"
    click_control $APPLY
    wait_eq "#ab12cd" "the preview's title in lower case" preview_title
    expect_eq "$(probe clipboard)" "#ab12cd" "the clipboard"
    click_at $(inner_point)
    press ctrl+End shift+ctrl+Home
    type_text "first line"
    press Return
    type_text "second & third"
    expect_eq "$(preview_text)" "first line\\nsecond & third" "the sample text typed"
    press alt+w f
    wait_for_dialog "the font dialog" >/dev/null
    wait_for "the font dialog's size box" probe control '#32770' $FONT_SIZE
    retype_field '#32770' $FONT_SIZE 18
    click_control '#32770' $DIALOG_OK
    wait_for "the font dialog closes" dialog_gone
    wait_eq "18 pt" "the font size in the status bar" status_text 2
    BAND=$(band_colour)
}

show_the_names_page() {
    local left top
    read -r left top _ _ < <(probe control MAINFORM $TAB | head -1)
    click_at $((left + 120)) $((top + 9))
    expect_eq "$(probe state MAINFORM $COLORLIST)" "enabled visible" "the colour list"
}

exit_from_the_file_menu() {
    click_caption
    press alt+f x
    wait_for_exit || fail "exit code $?"
}

everything_is_back() {
    expect_eq "$(form_rect)" "$FORM" "the form's place and size"
    expect_eq "$(probe state MAINFORM $COLORLIST)" "enabled visible" "the colour list"
    expect_eq "$(probe state MAINFORM $RSLIDER)" "enabled hidden" "the red slider"
    expect_eq "$(preview_title)" "#ab12cd" "the preview's title"
    expect_eq "$(preview_text)" "first line\\nsecond & third" "the sample text"
    expect_eq "$(status_text 2)" "18 pt" "the font size"
    expect_eq "$(inner_colour)" AB12CD "the preview's inner area"
    expect_eq "$(band_colour)" "$BAND" "the preview's band"
    expect_eq "$(probe topmost MAINFORM)" 1 "the form stays on top"
    screenshot restarted
}

options_still_act() {
    local left top
    read -r left top _ _ < <(probe control MAINFORM $TAB | head -1)
    click_at $((left + 40)) $((top + 9))
    retype_field $HEXEDIT "#010203"
    click_control $APPLY
    wait_eq "#010203" "the preview's title" preview_title
    expect_eq "$(probe clipboard)" "#010203" "the clipboard: auto-copy is still on"
    expect_eq "$(band_colour)" "$BAND" "the band: synchronising is still off"
    drag_slider $GSLIDER 115
    expect_eq "$(probe position MAINFORM $GSLIDER)" 102 "the green slider: safe sliding is still on"
}

start_program
move_and_resize_the_form
set_options_from_the_menu
set_colour_text_and_font
show_the_names_page
exit_from_the_file_menu
start_program
everything_is_back
options_still_act
quit_with_alt_f4
echo "restart scenario passed"
