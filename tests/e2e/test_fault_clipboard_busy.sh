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

# Another program opens the clipboard and keeps it open until let_go_of_the_clipboard.
# (The pipe is opened for reading and writing here, which does not wait for the other end.)
hold_the_clipboard() {
    mkfifo "$WORK/holder.in"
    exec {HOLDER_IN}<>"$WORK/holder.in"
    # Its own redirections: a command sent to the background would otherwise read /dev/null.
    "$REPO/tools/wine-run.sh" "$PROBE" holdclipboard <"$WORK/holder.in" >"$WORK/holder.txt" \
        {PROBE_IN}>&- {PROBE_OUT}<&- {HOLDER_IN}>&- &
    HOLDER_PID=$!
    PROGRAM_PIDS+=("$HOLDER_PID")
    wait_for "the other program holds the clipboard" grep -q held "$WORK/holder.txt"
}

let_go_of_the_clipboard() {
    kill -0 "$HOLDER_PID" 2>/dev/null || fail "the other program let go of the clipboard before it was told"
    echo go >&"$HOLDER_IN"
    exec {HOLDER_IN}>&-
    wait_for_exit "$HOLDER_PID" || fail "the other program did not let go of the clipboard cleanly"
}

changes_go_on_while_the_clipboard_is_held() {
    hold_the_clipboard
    local started=$SECONDS
    retype_field $HEXEDIT "#123456"
    click_control $APPLY
    # The clipboard stays held until let go below: a program that waited for it would show nothing.
    wait_eq "#123456" "the preview while the clipboard is held" preview_title
    expect_eq "$(channel_fields)" "18 52 86" "channel fields while the clipboard is held"
    expect_eq "$(inner_colour)" 123456 "the preview's inner area while the clipboard is held"
    drag_slider $RSLIDER 200
    expect_eq "$(probe text MAINFORM $REDIT)" "$(probe position MAINFORM $RSLIDER)" "red field after a drag"
    expect_eq "$(probe_text windows | grep -c '^#32770')" 0 "message boxes while the clipboard is held"
    echo "changes took $((SECONDS - started)) s while the clipboard was held"
    let_go_of_the_clipboard
    expect_eq "$(probe clipboard)" "#996633" "the clipboard keeps the code from before it was held"
}

copying_resumes_when_the_clipboard_is_free() {
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
