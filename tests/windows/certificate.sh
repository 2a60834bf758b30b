#!/bin/bash
# The certificate under Wine, a name typed on the victory screen and Enter pressed:
#   certificate.sh printed      Wine shows the private spooler's queue (tests/cups) as the default
#                               Windows printer; the certificate is printed and the program ends
#                               with status 0. Its words are outlines in that PDF, so the page is
#                               checked as a picture: rendered at the window's own scale, it shows
#                               the name where the window showed it.
#   certificate.sh no-printer   no spooler behind Wine, so Windows has no printer: the run-time
#                               error box, titled Cratefall, and status 1 once it is closed, as on
#                               Linux.
set -euo pipefail
case "${1:-}" in
printed) pdf_dir="${CRATEFALL_TEST_PDF_DIR:?run this under tests/cups/with_cupsd.sh}" ;;
no-printer) ;;
*)
    echo "usage: $0 printed|no-printer" >&2
    exit 2
    ;;
esac
source "$(dirname "${BASH_SOURCE[0]}")/windows_game.sh"

: "${CRATEFALL_WINDOWS_ENTRY:?run the tests through ctest}"
name="Ada Lovelace"
WINEPATH="$(windows_path_list "${CRATEFALL_WINE_DLL_DIRS:?run the tests through ctest}")"
export WINEPATH

start_game "$CRATEFALL_WINDOWS_ENTRY" "$victory_screen"
victory=$(window "$(caption "$victory_screen")")
read -r left top width height < <(twips "$victory_screen" Text1)
# Well inside the box's frame, where only the letters are unlike the box's colour, in the window
# and on the page (which draws the box without its sunken frame).
name_box="$(($(px "$left") + 5)),$(($(px "$top") + 5)),$(($(px "$width") - 10)),$(($(px "$height") - 10))"
box_drawn_empty() {
    [ "$(robot probe "$1" "$(px $((left + width / 2))),$(px $((top + height / 2)))")" != "#000000" ] &&
        [ -z "$(robot ink "$1" "$name_box" columns 4)" ]
}
empty=$(await_look "$victory" empty box_drawn_empty) || fail "the name box was never drawn empty"

step "type a name into the box and press Enter"
click "$victory" "$(px $((left + width / 2))),$(px $((top + height / 2)))"
type_text "$victory" "$name"
# The window as the player saw it when printing: the name's two words, two runs of ink in its box.
named_runs() {
    [ "$(robot ink "$1" "$name_box" columns 4 | wc -l)" -ge 2 ]
}
named=$(await_look "$victory" named named_runs) || fail "the typed name never showed in its box"
keys "$victory" Return
if [ "$1" = no-printer ]; then
    step "with no printer, the run-time error box; closed, the program ends with status 1"
    error=$(window Cratefall)
    keys "$error" Return
    expect_exit_status 1 30
    exit 0
fi
expect_exit_status 0 30

step "the certificate arrives in the print queue"
pdf_arrived() {
    pdfs=("$pdf_dir"/*.pdf)
    [ -e "${pdfs[0]}" ]
}
until_within "no PDF arrived in the queue's folder $pdf_dir" pdf_arrived
expect_equal "${#pdfs[@]}" 1 "printed documents"
pages=$(pdfinfo "${pdfs[0]}" | sed -n 's/^Pages: *//p')
expect_equal "$pages" 1 "pages printed"

step "rendered at the window's scale, the page shows the name where the window showed it"
# The page is the window's picture, scaled: what is drawn on each (all but the white) spans the
# same part of it, which gives the scale and the offset.
pdftoppm -r 96 -png -singlefile "${pdfs[0]}" "$work/page-96"
read -r page_width page_height < <(image_size "$work/page-96.png")
read -r x y w h < <(robot extent "$work/page-96.png" "0,0,$page_width,$page_height" "#ffffff")
[ -n "${h:-}" ] || fail "the printed page is blank"
read -r shot_width shot_height < <(image_size "$named")
read -r sx sy sw sh < <(robot extent "$named" "0,0,$shot_width,$shot_height" "#ffffff")
awk -v w="$w" -v h="$h" -v sw="$sw" -v sh="$sh" 'BEGIN { r = (w / h) / (sw / sh); exit !(r > 0.97 && r < 1.03) }' ||
    fail "what the page shows (${w}x$h pixels at 96 dpi) is not shaped like the window's drawing (${sw}x$sh)"
read -r scaled_width left top < <(awk -v pw="$page_width" -v x="$x" -v y="$y" -v w="$w" \
    -v sx="$sx" -v sy="$sy" -v sw="$sw" 'BEGIN {
        s = sw / w; printf "%d %d %d\n", pw * s + 0.5, x * s - sx + 0.5, y * s - sy + 0.5 }')
pdftoppm -scale-to-x "$scaled_width" -scale-to-y -1 -png -singlefile -x "$left" -y "$top" \
    -W "$shot_width" -H "$shot_height" "${pdfs[0]}" "$work/page"
mapfile -t on_screen < <(robot ink "$named" "$name_box" columns 4)
mapfile -t on_page < <(robot ink "$work/page.png" "$name_box" columns 4)
echo "ink runs (words) across the name's box: window ${on_screen[*]}, page ${on_page[*]:-none}"
expect_equal "${#on_page[@]}" "${#on_screen[@]}" "runs of ink (words) in the name's box on the page"
for i in "${!on_screen[@]}"; do
    shift_px=$((on_page[i] - on_screen[i]))
    [ "${shift_px#-}" -le 3 ] ||
        fail "word $((i + 1)) of the name is at $((on_page[i])) on the page, ${on_screen[i]} in the window"
done
