#!/bin/bash
# Starting the program: the main form with its Japanese texts and a first preview window; closing it
# with Alt+F4 writes the settings file.
. "$(dirname "$0")/lib.sh" "$1"

start_program
read -r left top right bottom < <(form_rect)
[ $((right - left)) -gt 300 ] || fail "the form is too narrow: $left $top $right $bottom"
expect_eq "$(probe_text text MAINFORM 1065)" "10進数指定" "group box caption"
expect_eq "$(probe_text text MAINFORM 1059)" "適用(&A)" "apply button caption"
[ -n "$(probe children MAINFORM MDI_CHILD)" ] || fail "no preview window at start"
# A text the program sets through the ANSI calls reads back right only in code page 932, which the
# manifest gives it whatever the locale (Wine runs the tests under C.UTF-8).
expect_eq "$(preview_text)" "ｼﾞｬﾝｸﾒﾀﾙ" "the default sample text"
screenshot main-form

# Alt+F4 closes the form; the settings are written once, on the way out.
click_at $((left + 40)) $((top + 10))
press alt+F4
wait_for_exit || fail "exit code $?"
[ -f "$WORK/Huebench.ini" ] || fail "no settings file after closing"
expect_eq "$(ini_value MENU CAPTION)" "8" "CAPTION option saved checked"
echo "startup scenario passed"
