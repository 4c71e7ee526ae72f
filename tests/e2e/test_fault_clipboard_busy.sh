#!/bin/bash
# Another program holds the clipboard open while auto-copy is on: colour changes still reach the
# fields and the preview at once, the clipboard keeps its old code, nothing waits or complains;
# once the clipboard is free again the next change is copied as usual.
. "$(dirname "$0")/lib.sh" "$1"

write_settings <<'INI'
[MENU]
AUTOCOPY=8
[PREVIEW]
EDITCLR=3368601
INI

hold_the_clipboard() {
    run_in_background "$REPO/tools/wine-run.sh" "$PROBE" holdclipboard "$1" >"$WORK/holder.txt"
    HOLDER_PID=$BACKGROUND_PID
    PROGRAM_PIDS+=("$HOLDER_PID")
    wait_for "the other program holds the clipboard" grep -q held "$WORK/holder.txt"
}

changes_go_on_while_the_clipboard_is_held() {
    hold_the_clipboard 6000
    local started=$SECONDS
    retype_field $HEXEDIT "#123456"
    click_control $APPLY
    WAIT_SECONDS=2 wait_eq "#123456" "the preview while the clipboard is held" preview_title
    expect_eq "$(channel_fields)" "18 52 86" "channel fields while the clipboard is held"
    expect_eq "$(inner_colour)" 123456 "the preview's inner area while the clipboard is held"
    drag_slider $RSLIDER 200
    expect_eq "$(probe text MAINFORM $REDIT)" "$(probe position MAINFORM $RSLIDER)" "red field after a drag"
    kill -0 "$HOLDER_PID" 2>/dev/null || fail "the clipboard was let go too early to tell"
    expect_eq "$(probe clipboard)" "#996633" "the clipboard keeps the code from before it was held"
    expect_eq "$(probe_text windows | grep -c '^#32770')" 0 "message boxes while the clipboard is held"
    echo "changes took $((SECONDS - started)) s while the clipboard was held"
}

copying_resumes_when_the_clipboard_is_free() {
    wait_for_exit "$HOLDER_PID" || true
    retype_field $HEXEDIT "#654321"
    click_control $APPLY
    expect_colour_everywhere 101 67 33
}

start_program
expect_colour_everywhere 153 102 51
changes_go_on_while_the_clipboard_is_held
copying_resumes_when_the_clipboard_is_free
quit_with_alt_f4
echo "busy clipboard scenario passed"
