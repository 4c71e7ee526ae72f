#!/bin/bash
# No printer at all (the program cannot reach any print server): Ctrl+P brings only the system's
# own notice that no printer is installed; once it is dismissed the print command has ended quietly,
# nothing is printed, and the program goes on as before and ends normally.
# This scenario reads the Japanese text of Wine's own notice, which speaks the language of the
# locale Wine runs under: one of the two places where the tests keep a Japanese locale.
export HUEBENCH_LOCALE=${HUEBENCH_LOCALE:-ja_JP.UTF-8}
. "$(dirname "$0")/lib.sh" "$1"

PROGRAM_NAME=HuebenchNoPrinter$RANDOM

# Wine asks CUPS for the printers in each process that prints; this copy asks a server that is
# not there.
export CUPS_SERVER=$WORK/no-such-cups.sock

ctrl_p_ends_quietly() {
    click_caption
    press ctrl+p
    local title
    title=$(wait_for_dialog "the system's notice")
    local notice
    notice=$(message_box_text)
    echo "the system says ($title): $notice"
    case "$notice" in
    *プリンター*) ;;
    *) fail "expected the system's notice about a missing printer, got '$title': '$notice'" ;;
    esac
    screenshot no-printer
    press Return
    wait_for "the notice closes" dialog_gone
    sleep 1
    dialog_gone || fail "another dialog followed the notice: $(probe_text windows | grep '^#32770')"
}

the_program_goes_on() {
    press ctrl+n
    wait_eq 2 "previews after Ctrl+N" preview_count
    retype_field $HEXEDIT "#808000"
    click_control $APPLY
    wait_eq "#808000" "the preview after printing failed" preview_title
}

start_program
ctrl_p_ends_quietly
the_program_goes_on
quit_with_alt_f4
[ -z "$(printed_pdfs)" ] || fail "something was printed: $(printed_pdfs)"
echo "no printer scenario passed"
