#!/bin/bash
# Printing with Ctrl+P through CUPS into a PDF: cancelling the print dialog prints nothing; OK prints
# one page on which each preview window is a rectangle of its band colour around a rectangle of its
# inner colour, placed and sized as on the screen, with the caption lines whole in its band and the
# sample text.
# This scenario reads the Japanese title of Wine's own print dialog, which speaks the language of
# the locale Wine runs under: one of the two places where the tests keep a Japanese locale.
export HUEBENCH_LOCALE=${HUEBENCH_LOCALE:-ja_JP.UTF-8}
. "$(dirname "$0")/lib.sh" "$1"

# A name of our own: the document, and so the PDF, is named after the program.
PROGRAM_NAME=HuebenchPrint$RANDOM
EXIT_STEPS+=('rm -f $(printed_pdfs)')

# The first preview: a red band around yellow, with a Japanese sample text in a TrueType font (drawn
# through the W functions: 表 ends in 0x5C).
write_settings <<'INI'
[MAINWINDOW]
POSITION=50,50,1150,750
[MENU]
SYNCHRO=0
[MDIWINDOW]
RECT=10,10,300,220
[PREVIEW]
STRING=色の見本 & 表示
EDITCLR=65535
BACKCLR=255
FONTCLR=0
FONTFACE=IPAGothic
FONTHEIGHT=-20
INI

# The bounding box of a colour on the page image, as "left top right bottom" (empty when absent).
colour_box() {
    convert "$WORK/page.png" -fuzz 8% -fill white +opaque "#$1" -fill black -opaque "#$1" -negate \
        -format '%@' info: | awk -F'[x+]' '$1 > 1 { print $3, $4, $3 + $1, $4 + $2 }'
}

# How many dark pixels a box of the page image holds.
dark_pixels_in() {
    convert "$WORK/page.png" -crop $(($3 - $1))x$(($4 - $2))+$1+$2 +repage -colorspace gray \
        -threshold 30% -negate -format '%[fx:int(mean*w*h+0.5)]' info:
}

# The box of the black ink within a box of the page image, in page coordinates (empty when none).
ink_box() {
    convert "$WORK/page.png" -crop $(($3 - $1))x$(($4 - $2))+$1+$2 +repage -fuzz 25% -fill white \
        +opaque black -fill black -opaque black -negate -format '%@' info: |
        awk -F'[x+]' -v x="$1" -v y="$2" '$1 > 1 { print x + $3, y + $4, x + $3 + $1, y + $4 + $2 }'
}

open_a_second_preview() {
    click_caption
    press ctrl+n
    wait_eq 2 "previews after Ctrl+N" preview_count
    # Moved by its title bar below the first preview's inner area, it leaves that in sight.
    local left top
    read -r left top _ _ < <(preview_rect 1)
    drag $((left + 60)) $((top + 10)) $((left + 160)) $((top + 200))
    retype_field $HEXEDIT "#0000FF"
    click_control $APPLY
    wait_eq 0000FF "the second preview's inner colour" inner_colour 1
    double_click_at $(band_point 1)
    wait_eq 0000FF "the second preview's band" band_colour 1
    retype_field $HEXEDIT "#00C000"
    click_control $APPLY
    wait_eq 00C000 "the second preview's inner colour" inner_colour 1
    screenshot print-screen
}

# The print dialog reads the printers while it is on the screen, which on a busy machine takes many
# seconds: it is answered once it shows the test run's printer.
PRINTER_BOX=1139
wait_for_the_printer() {
    local started=$SECONDS
    WAIT_SECONDS=120 wait_eq PDF "the print dialog's printer" probe text '#32770' $PRINTER_BOX
    echo "the print dialog showed its printer after $((SECONDS - started)) s"
}

cancelling_prints_nothing() {
    click_caption
    press ctrl+p
    expect_eq "$(wait_for_dialog "the print dialog")" "印刷" "the print dialog's title"
    wait_for_the_printer
    press Escape
    wait_for "the print dialog closes" dialog_gone
}

ok_prints_the_page() {
    click_caption
    press ctrl+p
    wait_for_dialog "the print dialog" >/dev/null
    wait_for_the_printer
    click_control '#32770' $DIALOG_OK
    wait_for "the print dialog closes" dialog_gone
    # Converting the page takes ghostscript many seconds on a busy machine: only the safety limit
    # is long.
    WAIT_SECONDS=240 wait_for "a PDF from the printer, its job done" pdf_printed_whole
    expect_eq "$(printed_pdfs | wc -l)" 1 "PDFs printed: the cancelled dialog printed nothing"
    pdftoppm -r 100 -singlefile -png "$(printed_pdfs)" "$WORK/page" || fail "the PDF cannot be read"
    cp "$WORK/page.png" "$BUILD/print-page.png"
    echo "printed page: $BUILD/print-page.png"
}

# Compares the page with the screen: one scale for the whole client area, each window where it lies.
page_matches_the_screen() {
    local first second
    read -r -a first < <(preview_rect 2)
    read -r -a second < <(preview_rect 1)
    local -a red yellow blue green
    read -r -a red < <(colour_box FF0000)
    read -r -a yellow < <(colour_box FFFF00)
    read -r -a blue < <(colour_box 0000FF)
    read -r -a green < <(colour_box 00C000)
    [ ${#red[@]} -eq 4 ] && [ ${#yellow[@]} -eq 4 ] && [ ${#blue[@]} -eq 4 ] && [ ${#green[@]} -eq 4 ] ||
        fail "a colour is missing from the page:" \
            "red ${red[*]}, yellow ${yellow[*]}, blue ${blue[*]}, green ${green[*]}"
    # Page pixels per screen pixel, from the first window's width, in thousandths.
    local scale=$(((red[2] - red[0]) * 1000 / (first[2] - first[0])))
    local expected=$(((second[0] - first[0]) * scale / 1000))
    expect_between $((blue[0] - red[0])) $((expected - 3)) $((expected + 3)) \
        "the second window's offset on the page"
    expected=$(((second[2] - second[0]) * scale / 1000))
    expect_between $((blue[2] - blue[0])) $((expected - 3)) $((expected + 3)) \
        "the second window's width on the page"
    # The inner area lies inside the band, as the sample text lies inside the window.
    [ "${yellow[0]}" -gt "${red[0]}" ] && [ "${yellow[1]}" -gt "${red[1]}" ] ||
        fail "the first window's inner area is not inside its band: ${yellow[*]} in ${red[*]}"
    [ "${green[0]}" -gt "${blue[0]}" ] && [ "${green[3]}" -lt "${blue[3]}" ] ||
        fail "the second window's inner area is not inside its band: ${green[*]} in ${blue[*]}"
    # Dark text: the caption lines on the red band above the inner area, the sample text on yellow.
    [ "$(dark_pixels_in "${red[0]}" "${red[1]}" "${blue[0]}" "${yellow[1]}")" -gt 20 ] ||
        fail "no caption lines on the first window's band"
    [ "$(dark_pixels_in "${yellow[0]}" "${yellow[1]}" "${blue[0]}" "${yellow[3]}")" -gt 20 ] ||
        fail "no sample text in the first window's inner area"
}

# Each window's two caption lines lie whole in its band above its inner area: the ink of the rows
# between the band's top and the inner area's top, looked for across the whole page, ends inside the
# band, and stands two legible lines high (6 points at least each: 8 pixels at 100 dpi).
captions_are_whole_in_their_bands() {
    local width band inner ink colours
    width=$(identify -format '%w' "$WORK/page.png")
    for colours in "FF0000 FFFF00" "0000FF 00C000"; do
        read -r -a band < <(colour_box "${colours% *}")
        read -r -a inner < <(colour_box "${colours#* }")
        read -r -a ink < <(ink_box "${band[0]}" "${band[1]}" "$width" "${inner[1]}")
        [ ${#ink[@]} -eq 4 ] || fail "no caption above the inner area of the window banded ${colours% *}"
        [ "${ink[2]}" -le "${band[2]}" ] ||
            fail "the caption of the window banded ${colours% *} runs to x ${ink[2]}, past its band's ${band[2]}"
        [ $((ink[3] - ink[1])) -ge 14 ] ||
            fail "the caption of the window banded ${colours% *} is $((ink[3] - ink[1])) pixels high"
    done
}

ensure_pdf_printer
start_program
open_a_second_preview
cancelling_prints_nothing
ok_prints_the_page
page_matches_the_screen
captions_are_whole_in_their_bands
quit_with_alt_f4
echo "print scenario passed"
