#!/bin/bash
# The settings file through the real program: a file written beforehand is applied at start-up, a
# colour entered with real keystrokes is saved on the way out, and a second run reads it all back.
. "$(dirname "$0")/lib.sh" "$1"

# Code page 932 bytes: 表 ends in 0x5C, and two backslashes are a stored line break.
{
    printf '[MAINWINDOW]\r\nPOSITION=100,50,780,570\r\nPAGE=0\r\n'
    printf '[MENU]\r\nAUTOCOPY=8\r\nCAPTION=0\r\nTOPLEVEL=0\r\nSYNCHRO=8\r\nSAFESLIDE=1\r\n'
    printf '[MDIWINDOW]\r\nRECT=10,20,300,200\r\n'
    printf '[PREVIEW]\r\nSTRING=行1\\\\表\\\\x\r\nEDITCLR=16744448\r\nBACKCLR=255\r\nFONTCLR=0\r\n'
    printf 'FONTFACE=\r\nFONTHEIGHT=-16\r\nFONTOPTION=2\r\nFONTCHARSET=128\r\n'
} | iconv -f UTF-8 -t CP932 >"$WORK/Huebench.ini"
stored_text=$(ini_value PREVIEW STRING)
expect_eq "$stored_text" '行1\\表\\x' "the prepared sample text"

# The first preview window's title, from "left top right bottom title".
preview_title() { probe children MAINFORM MDI_CHILD | head -1 | cut -d' ' -f5-; }

start_program
expect_eq "$(form_rect)" "100 50 780 570" "main window placed from POSITION"
# Start-up loaded the colour through the channel fields, and auto-copy put each code on the clipboard.
expect_eq "$(probe clipboard)" "#0080ff" "clipboard after start-up"
expect_eq "$(preview_title)" "#0080ff" "preview title in lower case"

# A colour typed into the hexadecimal field and applied: the field, the preview's title and the
# clipboard all show it.
click_control 1017
press End shift+Home
type_text "#336699"
click_control 1059
expect_eq "$(probe text MAINFORM 1017)" "#336699" "hexadecimal field after applying"
expect_eq "$(preview_title)" "#336699" "preview title after applying"
expect_eq "$(probe clipboard)" "#336699" "clipboard after applying"
screenshot settings-roundtrip

read -r left top _ _ < <(form_rect)
click_at $((left + 60)) $((top + 10))
press alt+F4
wait_for_exit || fail "exit code $?"
# The whole file, byte for byte: code page 932 text whatever the locale Wine runs under; the keys
# added since (LOUPE, LOUPEZOOM, SAMPLE, VISION) follow the others of their sections, and the section
# added since (HISTORY, the applied colour) comes last.
{
    printf '[MAINWINDOW]\r\nPOSITION=100,50,780,570\r\nPAGE=0\r\n'
    printf '[MENU]\r\nAUTOCOPY=8\r\nCAPTION=0\r\nTOPLEVEL=0\r\nSYNCHRO=8\r\nSAFESLIDE=1\r\nLOUPE=8\r\nLOUPEZOOM=10\r\nSAMPLE=1\r\n'
    printf '[MDIWINDOW]\r\nRECT=10,20,300,200\r\n'
    printf '[PREVIEW]\r\nSTRING=行1\\\\表\\\\x\r\nEDITCLR=10053171\r\nBACKCLR=10053171\r\nFONTCLR=0\r\n'
    printf 'FONTFACE=\r\nFONTHEIGHT=-16\r\nFONTOPTION=2\r\nFONTCHARSET=128\r\nVISION=0\r\n'
    printf '[HISTORY]\r\nCOLORS=#336699\r\n'
} | iconv -f UTF-8 -t CP932 >"$WORK/expected.ini"
cmp -s "$WORK/expected.ini" "$WORK/Huebench.ini" || fail "the settings file differs: $(cmp "$WORK/expected.ini" "$WORK/Huebench.ini")"
expect_eq "$(ini_value PREVIEW EDITCLR)" "$((0x996633))" "inner colour saved"
expect_eq "$(ini_value PREVIEW BACKCLR)" "$((0x996633))" "outer colour follows while synchronising"
expect_eq "$(ini_value PREVIEW STRING)" "$stored_text" "sample text saved as it was read"
expect_eq "$(ini_value PREVIEW FONTOPTION)" "2" "italic kept"
expect_eq "$(ini_value PREVIEW FONTHEIGHT)" "-16" "font height kept"
expect_eq "$(ini_value MAINWINDOW POSITION)" "100,50,780,570" "main window placement saved"
expect_eq "$(ini_value MDIWINDOW RECT)" "10,20,300,200" "preview placement saved"
expect_eq "$(ini_value MENU AUTOCOPY)" "8" "AUTOCOPY saved"
expect_eq "$(ini_value MENU CAPTION)" "0" "CAPTION saved"
expect_eq "$(ini_value MENU SAFESLIDE)" "1" "SAFESLIDE saved"
sections=$(grep -a '^\[' "$WORK/Huebench.ini" | tr -d '\r' | tr '\n' ' ')
expect_eq "$sections" "[MAINWINDOW] [MENU] [MDIWINDOW] [PREVIEW] [HISTORY] " "sections in their order"

# The second run starts where the first one ended.
start_program
expect_eq "$(preview_title)" "#336699" "preview title after a restart"
expect_eq "$(form_rect)" "100 50 780 570" "main window placement after a restart"
read -r left top _ _ < <(form_rect)
click_at $((left + 60)) $((top + 10))
press alt+F4
wait_for_exit || fail "exit code $?"
expect_eq "$(ini_value PREVIEW STRING)" "$stored_text" "sample text after a second run"
# Japanese typed with real keys (xdotool types each character through a spare key code, so Wine
# gets it whole) into a copy in a folder whose name code page 932 cannot hold: the text reads back,
# is stored in code page 932 (表 ends in 0x5C, before a stored line break) and comes back after a
# restart, and the version box shows.
PROGRAM_DIR=$WORK/café
mkdir "$PROGRAM_DIR"
start_program
click_at $(inner_point)
press ctrl+End shift+ctrl+Home
type_text "色の見本"
press Return
type_text "表示"
expect_eq "$(preview_text)" '色の見本\n表示' "the Japanese text typed"
quit_with_alt_f4
grep -qaF "$(printf 'STRING=色の見本\\\\表示\r' | iconv -f UTF-8 -t CP932)" "$PROGRAM_DIR/Huebench.ini" ||
    fail "the stored sample text: $(ini_value PREVIEW STRING)"
start_program
expect_eq "$(preview_text)" '色の見本\n表示' "the Japanese text after a restart"
click_caption
press alt+f a
wait_for_dialog "the version box" >/dev/null
expect_eq "$(message_box_text)" 'Huebench ver.2.11.2007.0318\nCopyright (C) 2026 The Huebench developers' \
    "the version box from the folder named café"
press Return
wait_for "the version box closes" dialog_gone
quit_with_alt_f4
echo "settings round-trip scenario passed"
