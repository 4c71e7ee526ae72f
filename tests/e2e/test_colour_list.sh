#!/bin/bash
# The colour list on the second tab page: choosing a named colour with the mouse or the arrow keys
# makes it the current colour and the preview's sample text (a system colour with its description),
# a double-click chooses it again, a click with no preview window open opens one, and clicking a
# column header sorts by that column, the swatch column excepted.
. "$(dirname "$0")/lib.sh" "$1"

write_settings <<'INI'
[MENU]
AUTOCOPY=8
INI

# A row of the list as shown: "name<TAB>swatch<TAB>red<TAB>green<TAB>blue<TAB>Sf<TAB>Sy".
list_row() { probe_text item MAINFORM $COLORLIST "$1" | sed -n 2p; }

# A point on a row's name, as "x y".
list_row_point() {
    probe item MAINFORM $COLORLIST "$1" | head -1 | awk '{ printf "%d %d\n", $1 + 40, ($2 + $4) / 2 }'
}

# A point on a column's header: the columns are 115, 40, 30, 30, 30, 25 and 25 pixels wide.
header_point() {
    local offsets=(57 135 170 200 230 257 282) left top
    read -r left top _ _ < <(probe item MAINFORM $COLORLIST 0 | head -1)
    echo $((left + offsets[$1])) $((top - 8))
}

show_page() {
    local left top right
    read -r left top right _ < <(probe control MAINFORM $TAB | head -1)
    click_at $((left + ${1} * 80 + 40)) $((top + 9))
}

names_page_shows_the_list_alone() {
    show_page 1
    expect_eq "$(probe state MAINFORM $COLORLIST)" "enabled visible" "the list on the names page"
    expect_eq "$(probe state MAINFORM $RSLIDER)" "enabled hidden" "the red slider on the names page"
    expect_eq "$(probe state MAINFORM $HEXEDIT)" "enabled hidden" "the hexadecimal field on the names page"
    expect_eq "$(list_row 2)" "$(printf 'Aqua\t\t0\t255\t255\t*\t')" "the third row in catalogue order"
}

choosing_a_colour_opens_a_preview_when_none_is_open() {
    press ctrl+F4
    wait_eq 0 "previews after Ctrl+F4" preview_count
    click_at $(list_row_point 2)
    wait_eq 1 "previews after choosing Aqua" preview_count
    expect_colour_everywhere 0 255 255
    expect_eq "$(preview_text)" "Aqua" "sample text after choosing Aqua"
    screenshot colour-list
}

arrow_keys_choose_every_row_passed_over() {
    local focus_ids=
    # The list has the keyboard after the click; the last three rows are system colours.
    press End
    wait_eq "WindowText\\nウィンドウ内のテキストの色" "sample text after End" preview_text
    press Up Up
    wait_eq "Window\\nウィンドウの背景色" "sample text two rows up" preview_text
    local cells
    cells=$(list_row 162 | cut -f3-5 | tr '\t' ' ')
    expect_colour_everywhere $cells
    # Tab on this page goes between the list and the tab control; the hidden fields are passed by.
    local key
    for key in Tab Tab shift+Tab shift+Tab; do
        press $key
        focus_ids+=" $(probe focus MAINFORM | cut -d' ' -f1)"
    done
    expect_eq "$focus_ids" " $TAB $COLORLIST $TAB $COLORLIST" "the focus after Tab, Tab, Shift+Tab, Shift+Tab"
}

double_click_chooses_the_row_again() {
    press Home
    click_at $(list_row_point 2)
    expect_colour_everywhere 0 255 255
    show_page 0
    retype_field $REDIT 200
    expect_colour_everywhere 200 255 255
    show_page 1
    double_click_at $(list_row_point 2)
    expect_colour_everywhere 0 255 255
    expect_eq "$(preview_text)" "Aqua" "sample text after the double-click"
}

headers_sort_the_list() {
    local before
    click_at $(header_point 2)
    expect_eq "$(list_row 0 | cut -f3)" 0 "red of the first row sorted by red ascending"
    expect_eq "$(list_row 164 | cut -f3)" 255 "red of the last row sorted by red ascending"
    click_at $(header_point 2)
    expect_eq "$(list_row 0 | cut -f3)" 255 "red of the first row sorted by red descending"
    before=$(list_row 0; list_row 1; list_row 2)
    click_at $(header_point 1)
    expect_eq "$(list_row 0; list_row 1; list_row 2)" "$before" "rows after a click on the swatch header"
    click_at $(header_point 0)
    expect_eq "$(list_row 0 | cut -f1) $(list_row 1 | cut -f1) $(list_row 2 | cut -f1)" \
        "ActiveBorder ActiveCaption AliceBlue" "names sorted ascending"
}

start_program
names_page_shows_the_list_alone
choosing_a_colour_opens_a_preview_when_none_is_open
arrow_keys_choose_every_row_passed_over
double_click_chooses_the_row_again
headers_sort_the_list
quit_with_alt_f4
expect_eq "$(ini_value MAINWINDOW PAGE)" 1 "the names page is saved"
expect_eq "$(ini_value PREVIEW STRING)" "Aqua" "the sample text is saved"
echo "colour list scenario passed"
