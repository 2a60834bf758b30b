#!/bin/bash
# Level 1 left alone: a click on the background starts it, the boxes reach the bottom, the loss
# box titled "Tilefall" comes, and after Enter the title screen is back with its pictures
# starting from the top again. Played again and hammered past its target, level 1 is never won,
# and the score's overflow is a run-time error that ends the program with status 1.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/screens.sh"

start_title
menu=$(title_menu_height "$work/title.png")

# fresh SHOT: whether the title's pictures (their tops in tops) stand where a fresh title has them.
fresh() {
    mapfile -t tops < <(title_picture_tops "$1" "$menu")
    pictures_fresh "${tops[@]}"
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
