#!/bin/bash
# The title window as a player first sees it: its caption, a white client area of the designed
# size below the menu bar, and three pictures falling at their own speeds. Then level 1 left
# alone: a click on the background starts it, the boxes reach the bottom, the loss box titled
# "Tilefall" comes, and after Enter the title screen is back with its pictures starting from the
# top again. Played again and hammered past its target, level 1 is never won, and the score's
# overflow is a run-time error that ends the program with status 1.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/screens.sh"

start_title
first="$work/title.png"

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
    break
done
[ "$fell1" != - ] || fail "never saw all three pictures fall between two screenshots"

# fresh SHOT: whether the three pictures (their tops in tops) stand where a fresh title puts them
# after the same number of ticks (one may lag a tick behind the others, drawn just after the
# screenshot). The first row seen of a picture is inside its see-through rim, up to six pixels
# below its top.
fresh() {
    local ticks i t offset placed
    mapfile -t tops < <(title_picture_tops "$1" "$menu")
    for ticks in $(seq 0 40); do
        placed=0
        for i in 0 1 2; do
            [ "${tops[i]}" != - ] || return 1
            for t in $((ticks > 0 ? ticks - 1 : 0)) "$ticks"; do
                offset=$((tops[i] - ((t == 0 ? title_designed_tops[i] : t * title_steps[i]) + 7) / 15))
                [ "$offset" -ge 0 ] && [ "$offset" -le 6 ] && placed=$((placed + 1)) && break
            done
        done
        [ "$placed" -eq 3 ] && return 0
    done
    return 1
}

step "let the title run until its pictures no longer fall side by side from the top"
# Otherwise a title shown again without starting over would look just like a fresh one.
title_moved_on() { ! fresh "$1"; }
await_look "$title" title-running title_moved_on >/dev/null ||
    fail "the title pictures never left their first places"

step "File, Play; a click on the background starts level 1"
play_level1
start_level1

step "with no more clicks the loss box comes"
loss=$(window Tilefall 60000)
expect_no_window Cratefall
keys "$loss" Return
expect_gone "$loss" Tilefall

step "the title screen is back, its pictures starting from the top"
title=$(shown "$title_caption" title-again title_drawn)
fresh "$work/title-again.png" || fail "the title pictures are not back at the top: ${tops[*]}"
expect_no_window "$level1_caption"

step "played again, clicks past 30 never win; 32768 of them overflow the score"
# The robot clicks the boxes in turn where each waits and where a click puts it (the top of its
# column), low on it, so that each stays under the pointer for some ticks. The first click starts
# the level, 29 more score 29, and two more reach the game while it is stopped: no tick sees 30.
play_level1
points=()
for box in "${level1_boxes[@]}"; do
    IFS=, read -r x _ width height <<<"${box%@*}"
    points+=("$(((x + ${box#*@} + width) / 2)),$((height - 4))")
done
hammer() { robot hammer "$level1" "$1" "$(limit_ms 90000)" "${points[@]}" || true; }
hammer 30 >/dev/null
kill -STOP "$game_pid"
hammer 2 >/dev/null
kill -CONT "$game_pid"
read -r ending clicks < <(hammer 33000)
echo "robot: $ending after $((clicks += 32)) clicks"
# The game may still be taking the last clicks when the robot has sent them all.
[ "$clicks" -gt 32768 ] || fail "the robot stopped ($ending) after $clicks clicks, too few to overflow"
error=$(window Cratefall 60000)
expect_no_window Tilefall
keys "$error" Return
expect_exit_status 1 30
[ ! -s "$work/game.log" ] || fail "the game wrote to its output"
