#!/bin/bash
# The red, green and blue channels as a person uses them: dragging a slider with and without safe
# sliding, the arrow keys on a slider, the spin buttons and typing into a number field. Each change
# reaches the fields, the hexadecimal field, the clipboard and the preview at once. Tab and Shift+Tab
# move round the page.
. "$(dirname "$0")/lib.sh" "$1"

write_settings <<'INI'
[MENU]
AUTOCOPY=8
INI

drag_red_slider_freely() {
    drag_slider $RSLIDER 100
    local red
    red=$(probe position MAINFORM $RSLIDER)
    expect_between "$red" 98 102 "red slider dragged to about 100"
    expect_colour_everywhere "$red" 0 0
    [ $((red % 51)) -ne 0 ] || fail "the free drag should not land on a safe value, got $red"
    RED=$red
}

turn_on_safe_sliding() {
    click_control $SAFESLIDE
    # Ticking the box moves nothing until the next scroll.
    expect_eq "$(probe position MAINFORM $RSLIDER)" "$RED" "red slider after ticking safe sliding"
    expect_eq "$(probe text MAINFORM $REDIT)" "$RED" "red field after ticking safe sliding"
}

drag_green_slider_in_safe_steps() {
    drag_slider $GSLIDER 115
    expect_eq "$(probe position MAINFORM $GSLIDER)" 102 "green slider snapped from about 115"
    expect_colour_everywhere "$RED" 102 0
    drag_slider $GSLIDER 140
    expect_eq "$(probe position MAINFORM $GSLIDER)" 153 "green slider snapped from about 140"
    expect_colour_everywhere "$RED" 153 0
}

step_green_slider_with_arrow_keys() {
    # The slider kept the keyboard after the drag.
    press Right
    expect_colour_everywhere "$RED" 204 0
    press Left Left
    expect_colour_everywhere "$RED" 102 0
}

step_blue_with_spin_buttons() {
    retype_field $BEDIT 100
    # A typed number is not snapped, even with safe sliding on.
    expect_colour_everywhere "$RED" 102 100
    click_at $(spin_arrow $BSPIN up)
    expect_colour_everywhere "$RED" 102 102
    click_at $(spin_arrow $BSPIN down)
    expect_colour_everywhere "$RED" 102 51
}

# A text the field replaces ("255" for 300, "0" for nothing) ends selected, so the next digits
# typed replace it rather than piling up in front of it.
type_beyond_the_range_and_clear() {
    retype_field $REDIT 300
    expect_colour_everywhere 255 102 51
    expect_eq "$(probe selection MAINFORM $REDIT)" "0 3" "selection after 300 became 255"
    type_text 12
    expect_colour_everywhere 12 102 51
    click_control $GEDIT
    press End shift+Home BackSpace
    expect_colour_everywhere 12 0 51
    type_text 80
    expect_colour_everywhere 12 80 51
}

# Tab and Shift+Tab visit the page's tab stops in template order and wrap round; a field entered
# this way has its text selected.
expect_focus_after() {
    local key=$1 id
    shift
    for id in "$@"; do
        press "$key"
        expect_eq "$(probe focus MAINFORM | cut -d' ' -f1)" "$id" "the focus after $key"
    done
}

tab_round_the_numbers_page() {
    expect_focus_after Tab $BSLIDER $BEDIT $CHOOSECOLOR $HEXEDIT $SAFESLIDE $TAB $RSLIDER $REDIT $GSLIDER
    expect_focus_after shift+Tab $REDIT $RSLIDER $TAB $SAFESLIDE
    expect_focus_after shift+Tab $HEXEDIT
    expect_eq "$(probe selection MAINFORM $HEXEDIT)" "0 7" "the hexadecimal field entered with Shift+Tab"
}

start_program
drag_red_slider_freely
turn_on_safe_sliding
drag_green_slider_in_safe_steps
step_green_slider_with_arrow_keys
step_blue_with_spin_buttons
type_beyond_the_range_and_clear
tab_round_the_numbers_page
screenshot channels
quit_with_alt_f4
expect_eq "$(ini_value MENU SAFESLIDE)" 1 "safe sliding saved"
expect_eq "$(ini_value PREVIEW EDITCLR)" "$((51 * 65536 + 80 * 256 + 12))" "colour saved"
echo "channels scenario passed"
