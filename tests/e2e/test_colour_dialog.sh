#!/bin/bash
# The colour dialog from the "色見本指定" button: it opens on the current colour, a colour typed
# into its red, green and blue fields becomes the current colour on OK, Escape changes nothing,
# and a colour added to the custom colours is offered again by the next dialog.
. "$(dirname "$0")/lib.sh" "$1"

write_settings <<'INI'
[MENU]
AUTOCOPY=8
[PREVIEW]
EDITCLR=3368601
INI

open_colour_dialog() {
    click_control $CHOOSECOLOR
    wait_for_dialog "the colour dialog" >/dev/null
    wait_for "the colour dialog's fields" probe control '#32770' $COLOR_RED
}

dialog_fields() {
    local id
    for id in $COLOR_RED $COLOR_GREEN $COLOR_BLUE; do probe text '#32770' $id; done | paste -sd' '
}

# The middle of the first custom colour: the dialog's area of custom colours (control 721) holds two
# rows of eight. Found by its identifier, since the dialog speaks the system's language.
first_custom_swatch() {
    probe control '#32770' 721 | head -1 | awk '{ printf "%d %d\n", $1 + ($3 - $1) / 16, $2 + ($4 - $2) / 4 }'
}

dialog_opens_on_the_current_colour() {
    open_colour_dialog
    expect_eq "$(dialog_fields)" "153 102 51" "the dialog's fields at opening"
    expect_eq "$(probe pixel $(first_custom_swatch))" 000000 "the first custom colour at the first opening"
    screenshot colour-dialog
}

typed_colour_is_taken_on_ok() {
    retype_field '#32770' $COLOR_RED 32
    retype_field '#32770' $COLOR_GREEN 160
    retype_field '#32770' $COLOR_BLUE 96
    click_control '#32770' 712 # add to the custom colours
    click_control '#32770' $DIALOG_OK
    wait_for "the colour dialog closes" dialog_gone
    expect_colour_everywhere 32 160 96
}

escape_changes_nothing() {
    open_colour_dialog
    expect_eq "$(dialog_fields)" "32 160 96" "the dialog's fields at the second opening"
    expect_eq "$(probe pixel $(first_custom_swatch))" 20A060 "the custom colour added in the first dialog"
    retype_field '#32770' $COLOR_RED 250
    press Escape
    wait_for "the colour dialog closes" dialog_gone
    expect_colour_everywhere 32 160 96
}

start_program
expect_colour_everywhere 153 102 51
dialog_opens_on_the_current_colour
typed_colour_is_taken_on_ok
escape_changes_nothing
quit_with_alt_f4
expect_eq "$(ini_value PREVIEW EDITCLR)" "$((0x60A020))" "the chosen colour is saved"
echo "colour dialog scenario passed"
