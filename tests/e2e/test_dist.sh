#!/bin/bash
# The release: `make dist` packs Huebench.exe and a Japanese readme.txt into a zip named after the
# version that the program's own version box shows; unpacked into an empty folder, the program runs
# from there and keeps its settings in Huebench.ini beside itself, as the readme says.
. "$(dirname "$0")/lib.sh" "$1"

ZIP=$("$REPO/tools/dist.sh" "$BUILD") || fail "make dist failed"
VERSION=$(basename "$ZIP" | sed -n 's/^Huebench-\(.*\)-win64\.zip$/\1/p')

the_zip_holds_the_exe_and_the_readme() {
    expect_eq "$(zipinfo -1 "$ZIP" | sort | tr '\n' ' ')" "Huebench.exe readme.txt " "the files in $ZIP"
    unzip -q "$ZIP" -d "$WORK/unpacked"
    cmp -s "$WORK/unpacked/Huebench.exe" "$EXE" || fail "the zip's Huebench.exe is not the one built"
    local readme=$WORK/unpacked/readme.txt
    expect_eq "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')" efbbbf "the readme's byte-order mark"
    iconv -f UTF-8 -t UTF-8 "$readme" >/dev/null || fail "the readme is not UTF-8"
    expect_eq "$(grep -c $'\r$' "$readme")" "$(wc -l <"$readme")" "readme lines ending in CR LF"
    grep -q "Huebench $VERSION" "$readme" || fail "the readme does not name version $VERSION"
    grep -q "Huebench.ini" "$readme" || fail "the readme does not name the settings file"
}

the_unpacked_program_reports_the_version_and_keeps_its_settings_beside_it() {
    EXE=$WORK/unpacked/Huebench.exe
    rm -f "$WORK/$PROGRAM_NAME.ini"
    start_program
    click_caption
    press alt+f a
    wait_for_dialog "the version box" >/dev/null
    local text
    text=$(probe_text children '#32770' Static | cut -d' ' -f5-)
    [[ "$text" == *"ver.$VERSION"* ]] || fail "the version box says '$text', the zip's name $VERSION"
    press Return
    wait_for "the version box closes" dialog_gone
    quit_with_alt_f4
    [ -f "$WORK/$PROGRAM_NAME.ini" ] || fail "no Huebench.ini beside the unpacked program"
}

the_zip_holds_the_exe_and_the_readme
the_unpacked_program_reports_the_version_and_keeps_its_settings_beside_it
echo "dist scenario passed: $ZIP"
