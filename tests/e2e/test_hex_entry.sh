#!/bin/bash
# Entering a colour code: typing into the hexadecimal field enables the apply button, the button
# (or its Alt+A mnemonic) applies the code, a wrong code is refused with its message and changes
# nothing, and Enter in the field applies nothing.
. "$(dirname "$0")/lib.sh" "$1"

write_settings <<'INI'
[MENU]
AUTOCOPY=8
[PREVIEW]
EDITCLR=3368601
INI

apply_state() { probe state MAINFORM $APPLY | cut -d' ' -f1; }

short_code_is_refused() {
    retype_field $HEXEDIT "#12345"
    expect_eq "$(apply_state)" enabled "apply button while the field differs"
    press Tab
    expect_eq "$(probe focus MAINFORM | cut -d' ' -f1)" $APPLY "the focus after Tab from the field"
    click_control $APPLY
    wait_for_dialog "the length message" >/dev/null
    expect_eq "$(message_box_text)" "文字の数が 7 文字ではないため適用できません。" "message for a short code"
    screenshot hex-entry-refused
    press Return
    wait_for "the message box closes" dialog_gone
    expect_eq "$(probe text MAINFORM $HEXEDIT)" "#12345" "the field keeps what was typed"
    expect_eq "$(apply_state)" enabled "apply button after the refusal"
    expect_current_colour 153 102 51
}

code_without_hash_is_refused() {
    retype_field $HEXEDIT "1234567"
    click_control $APPLY
    wait_for_dialog "the missing-# message" >/dev/null
    expect_eq "$(message_box_text)" "最初の文字が # ではないため適用できません。" "message for a code without #"
    press Return
    wait_for "the message box closes" dialog_gone
    expect_current_colour 153 102 51
}

lower_case_code_is_applied_in_upper_case() {
    retype_field $HEXEDIT "#ff8000"
    click_control $APPLY
    expect_colour_everywhere 255 128 0
    expect_eq "$(apply_state)" disabled "apply button after applying"
}

enter_applies_nothing_but_alt_a_does() {
    retype_field $HEXEDIT "#00c0ff"
    press Return
    sleep 0.3
    expect_eq "$(preview_title)" "#FF8000" "preview after Enter in the field"
    press alt+a
    expect_colour_everywhere 0 192 255
}

retyping_the_current_colour_disables_apply() {
    retype_field $HEXEDIT "#00C0F"
    expect_eq "$(apply_state)" enabled "apply button while the code is incomplete"
    type_text "f"
    expect_eq "$(apply_state)" disabled "apply button once the field shows the current colour again"
}

start_program
expect_colour_everywhere 153 102 51
expect_eq "$(apply_state)" disabled "apply button at start"
short_code_is_refused
code_without_hash_is_refused
lower_case_code_is_applied_in_upper_case
enter_applies_nothing_but_alt_a_does
retyping_the_current_colour_disables_apply
screenshot hex-entry
quit_with_alt_f4
expect_eq "$(ini_value PREVIEW EDITCLR)" "$((0xFFC000))" "the applied colour is saved"
echo "hexadecimal entry scenario passed"
