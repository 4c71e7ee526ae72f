#!/bin/bash
# One preview window's own commands, with synchronising off: the context menu of its band fills
# the band with the inner colour (its item greyed once they agree), a double-click on the band
# does the same, the menu makes the current colour the text colour (the tooltip then names the
# nearest passing colours), and the font dialog from that menu changes the font shown in the status
# bar; the text keeps its colour, which the dialog's list lacks.
. "$(dirname "$0")/lib.sh" "$1"

write_settings <<'INI'
[MENU]
SYNCHRO=0
[PREVIEW]
EDITCLR=3368601
BACKCLR=16777215
INI

# Chooses an item of the context menu that a right click on the band opens, by its position.
band_menu_item() {
    right_click_at $(band_point)
    local left top right bottom
    read -r left top right bottom < <(wait_for_menu)
    click_at $((left + 30)) $((top + 10 + 19 * $1))
}

band_keeps_its_own_colour() {
    wait_eq 996633 "the inner colour at start" inner_colour
    expect_eq "$(band_colour)" FFFFFF "the band at start"
    retype_field $HEXEDIT "#204080"
    click_control $APPLY
    wait_eq 204080 "the inner colour after applying" inner_colour
    expect_eq "$(band_colour)" FFFFFF "the band after applying, synchronising off"
}

context_menu_fills_the_band() {
    band_menu_item 0
    wait_for "the menu closes" no_menu_open
    wait_eq 204080 "the band after the menu's fill command" band_colour
    screenshot preview-band-filled
    # The inner and outer colours now agree: the fill item is greyed and a click on it does nothing.
    band_menu_item 0
    probe wait '#32768' 100 >/dev/null || fail "a click on the greyed fill item closed the menu"
    press Escape
    wait_for "the menu closes" no_menu_open
}

double_click_fills_the_band() {
    retype_field $HEXEDIT "#C0FFEE"
    click_control $APPLY
    wait_eq C0FFEE "the inner colour after applying" inner_colour
    expect_eq "$(band_colour)" 204080 "the band keeps its colour"
    double_click_at $(band_point)
    wait_eq C0FFEE "the band after a double-click" band_colour
}

text_colour_from_the_menu() {
    right_click_at $(band_point)
    wait_for_menu >/dev/null
    press t # the item's access key
    wait_for "the menu closes" no_menu_open
    wait_eq "#C0FFEE" "the text colour in the status bar" status_text 3
    local x y
    read -r x y < <(band_point)
    xdotool mousemove "$x" $((y + 12)) # the pointer rests where it clicked: it must move to hover
    sleep 0.2
    xdotool mousemove "$x" "$y"
    wait_for "the contrast tip shows" eval "probe windows | grep -q '^tooltips_class32 '"
    screenshot contrast-tip-suggestions
}

font_dialog_changes_the_font() {
    band_menu_item 1
    wait_for_dialog "the font dialog" >/dev/null
    wait_for "the font dialog's size box" probe control '#32770' $FONT_SIZE
    retype_field '#32770' $FONT_SIZE 24
    click_control '#32770' $DIALOG_OK
    wait_for "the font dialog closes" dialog_gone
    wait_eq "24 pt" "the font size in the status bar" status_text 2
    screenshot preview-font
}

start_program
band_keeps_its_own_colour
context_menu_fills_the_band
double_click_fills_the_band
text_colour_from_the_menu
font_dialog_changes_the_font
quit_with_alt_f4
expect_eq "$(ini_value PREVIEW BACKCLR)" "$((0xEEFFC0))" "the filled band is saved"
expect_eq "$(ini_value PREVIEW FONTHEIGHT)" -32 "the font height is saved"
expect_eq "$(ini_value PREVIEW FONTCLR)" "$((0xEEFFC0))" "the text colour outside the dialog's list is kept"
echo "preview band scenario passed"
