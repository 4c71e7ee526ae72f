#!/bin/bash
# Resizing the main form by dragging its border: the preview area takes all the change, the tab
# control and the colour list only the change in height, every other control stays put; the form
# cannot be made smaller than it started; maximised, it fills the screen with its title bar on it,
# and maximising and restoring give the sizes back.
. "$(dirname "$0")/lib.sh" "$1"

size_of() { awk '{ print $3 - $1, $4 - $2 }'; }
mdi_client_size() { probe children MAINFORM MDIClient | head -1 | size_of; }
control_rect() { probe control MAINFORM "$1" | head -1; }
control_size() { control_rect "$1" | size_of; }

# The form's lower right corner, a pixel inside its border, as "x y".
lower_right_corner() { form_rect | awk '{ print $3 - 2, $4 - 2 }'; }

record_start() {
    START_FORM=$(form_rect)
    read -r START_W START_H < <(form_rect | size_of)
    read -r MDI_W MDI_H < <(mdi_client_size)
    START_MDI_W=$MDI_W
    START_MDI_H=$MDI_H
    read -r TAB_W TAB_H < <(control_size $TAB)
    read -r LIST_W LIST_H < <(control_size $COLORLIST)
    SLIDER=$(control_rect $RSLIDER)
    HEX=$(control_rect $HEXEDIT)
}

# Checks "w h" against the expected size; the first layout pass may come out one pixel below the
# size the dialog manager gave at creation (the scale factors are not exact).
expect_size_near() {
    local w h
    read -r w h <<<"$1"
    expect_between "$w" $(($2 - 1)) "$2" "$4 width"
    expect_between "$h" $(($3 - 1)) "$3" "$4 height"
}

drag_corner_by() {
    local x y
    read -r x y < <(lower_right_corner)
    drag "$x" "$y" $((x + $1)) $((y + $2))
}

dragging_the_corner_outwards_grows_the_preview_area() {
    drag_corner_by 150 120
    expect_eq "$(form_rect | size_of)" "$((START_W + 150)) $((START_H + 120))" "form size after the drag"
    expect_size_near "$(mdi_client_size)" $((MDI_W + 150)) $((MDI_H + 120)) "preview area after the drag"
    expect_size_near "$(control_size $TAB)" "$TAB_W" $((TAB_H + 120)) "tab control after the drag"
    expect_size_near "$(control_size $COLORLIST)" "$LIST_W" $((LIST_H + 120)) "colour list after the drag"
    expect_eq "$(control_rect $RSLIDER)" "$SLIDER" "red slider after the drag"
    expect_eq "$(control_rect $HEXEDIT)" "$HEX" "hexadecimal field after the drag"

    # From one laid-out size to the next, the changes are exact.
    read -r MDI_W MDI_H < <(mdi_client_size)
    read -r TAB_W TAB_H < <(control_size $TAB)
    read -r LIST_W LIST_H < <(control_size $COLORLIST)
    drag_corner_by 60 -40
    expect_eq "$(mdi_client_size)" "$((MDI_W + 60)) $((MDI_H - 40))" "preview area after the second drag"
    expect_eq "$(control_size $TAB)" "$TAB_W $((TAB_H - 40))" "tab control after the second drag"
    expect_eq "$(control_size $COLORLIST)" "$LIST_W $((LIST_H - 40))" "colour list after the second drag"
    local bottom status_bottom
    bottom=$(form_rect | cut -d' ' -f4)
    status_bottom=$(control_rect $STATUS | cut -d' ' -f4)
    expect_between "$status_bottom" $((bottom - 6)) "$bottom" "status bar along the bottom edge"
    page_controls_are_drawn "after the drag"
    screenshot resized
}

# The tab control must not paint over the page's controls: the red number field, with its sunken
# edge and digits, shows dark pixels.
page_controls_are_drawn() {
    local left top right bottom
    read -r left top right bottom < <(control_rect $REDIT)
    local darkest
    darkest=$(import -window root -crop $((right - left))x$((bottom - top))+$left+$top +repage \
        -colorspace gray -format '%[fx:int(255*minima)]' info:)
    [ "$darkest" -lt 128 ] || fail "the page's controls are not drawn $1: the red field is blank"
}

the_form_stops_at_its_starting_size() {
    local x y
    read -r x y < <(lower_right_corner)
    drag "$x" "$y" $((x - 450)) $((y - 350))
    expect_eq "$(form_rect)" "$START_FORM" "form after dragging the corner far inwards"
    expect_size_near "$(mdi_client_size)" "$START_MDI_W" "$START_MDI_H" "preview area at the starting size"
}

maximising_and_restoring() {
    local before_form before_mdi
    before_form=$(form_rect)
    before_mdi=$(mdi_client_size)
    double_click_at $(form_rect | awk '{ print $1 + 150, $2 + 10 }')
    local w h
    read -r w h < <(form_rect | size_of)
    expect_between "$w" 1280 1300 "maximised form width"
    read -r w h < <(mdi_client_size)
    [ "$w" -gt $((START_MDI_W + 700)) ] || fail "the preview area did not widen with the maximised form: $w"
    # Only the sizing frame lies beyond the screen: the title bar is on it, the status bar ends at
    # its bottom; a double-click on the title bar restores the form.
    local top screen_bottom
    top=$(form_rect | cut -d' ' -f2)
    expect_between "$top" -8 0 "maximised form's top edge"
    screen_bottom=$(xdpyinfo | awk '/dimensions:/ { split($2, size, "x"); print size[2] }')
    expect_between "$(control_rect $STATUS | cut -d' ' -f4)" $((screen_bottom - 1)) "$screen_bottom" \
        "maximised status bar's bottom edge"
    screenshot maximised
    double_click_at 400 $((top + 12))
    expect_eq "$(form_rect)" "$before_form" "form after restoring"
    expect_eq "$(mdi_client_size)" "$before_mdi" "preview area after restoring"
}

start_program
record_start
dragging_the_corner_outwards_grows_the_preview_area
the_form_stops_at_its_starting_size
maximising_and_restoring
quit_with_alt_f4
echo "resize scenario passed"
