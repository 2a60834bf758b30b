#!/bin/bash
# The title window as a player first sees it: its caption, a white client area of the designed
# size below the menu bar, and three pictures falling at their own speeds.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/screens.sh"

start_title first
first="$work/first.png"

step "the client area: ${title_client_width} x ${title_client_height} pixels below the menu bar"
read -r width _ < <(image_size "$first")
expect_equal "$width" "$title_client_width" "the title window's width"
menu=$(title_menu_height "$first")
[ "$menu" -ge 10 ] && [ "$menu" -le 40 ] || fail "a menu bar $menu pixels high"

step "white between the pictures, from the menu bar to the bottom"
# The gaps between the pictures' strips, from the left edge to the right: none has a row below
# the menu bar that is not white.
gaps=()
gap_from=0
for picture_strip in "${title_strips[@]}"; do
    gaps+=("$gap_from,$((${picture_strip%,*} - 1))")
    gap_from=$((${picture_strip#*,} + 1))
done
gaps+=("$gap_from,$((title_client_width - 1))")
expect_equal "$(robot first-ink "$first" "$menu" "$white" "${gaps[@]}" | tr '\n' ' ')" \
    "$(printf -- '- %.0s' "${gaps[@]}")" "the first row not white in each gap (${gaps[*]})"

step "the three pictures fall, each at its own speed"
# Ten ticks of the slowest picture: enough that one picture drawn a tick behind the others cannot
# change which fell furthest. However slowly the game ticks, the second look waits for them.
slowest_fall=$(((10 * title_steps[2] + 7) / 15))
# fell A B: how far each picture fell from look A to look B, or "-" when the pair tells nothing (a
# picture out of sight in either, or sent back to the top in between).
fell() {
    local before after i
    mapfile -t before < <(title_picture_tops "$1" "$menu")
    mapfile -t after < <(title_picture_tops "$2" "$menu")
    for i in 0 1 2; do
        [ "${before[i]}" != - ] && [ "${after[i]}" != - ] && [ "${after[i]}" -gt "${before[i]}" ] ||
            { echo "- (tops ${before[*]} -> ${after[*]})" && return 0; }
    done
    echo $((after[0] - before[0])) $((after[1] - before[1])) $((after[2] - before[2]))
}
fell_enough() {
    local fell1 fell3
    read -r fell1 _ fell3 _ < <(fell "$2" "$1")
    [ "$fell1" = - ] || [ "$fell3" -ge "$slowest_fall" ]
}
for attempt in $(seq 10); do
    a=$(shot "$title" "fall-$attempt-a")
    b=$(await_look "$title" "fall-$attempt-b" fell_enough "$a") ||
        fail "the pictures did not fall $slowest_fall pixels"
    read -r fell1 fell2 fell3 < <(fell "$a" "$b")
    echo "fell $fell1 $fell2 $fell3"
    [ "$fell1" != - ] || continue
    [ "$fell2" -gt "$fell1" ] && [ "$fell1" -gt "$fell3" ] && [ "$fell3" -gt 0 ] ||
        fail "pictures fell $fell1, $fell2 and $fell3 pixels; the middle one is the fastest," \
            "the right one the slowest"
    exit 0
done
fail "never saw all three pictures fall between two screenshots"
