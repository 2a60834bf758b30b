#!/bin/bash
# Level 1 played for real: P (or p) opens the pause box titled "Cratefall", while it is open the
# boxes stand still, and after Enter they fall again; then the robot clicks the falling boxes and
# wins: the box titled "Cratefall" comes, and after Enter level 2 opens, waiting for its first
# click.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/screens.sh"

open_level1
start_level1

for key in p P; do
    step "$key pauses"
    keys "$level1" "$key"
    pause=$(window Cratefall)
    # The box stands over the middle of the level window and may hide a box or two; what lies
    # under it is the box's own drawing, done whenever it gets round to it, so it is left out.
    a=$(shot "$level1" "paused-$key-a" "$pause")
    sleep 1 # how long it is watched, not a wait for the game
    b=$(shot "$level1" "paused-$key-b" "$pause")
    # No pixel changed, a box in sight: no box moved.
    [ "$(robot boxes "$waiting" "$a" "${level1_boxes[@]}" | grep -cvx -- -)" -ge 1 ] ||
        fail "no box in sight while paused"
    expect_equal "$(robot differ "$a" "$b")" 0 "pixels that changed while paused"

    step "Enter closes the box and the boxes fall again"
    # The level window draws again what the box covered, every box is in sight, and they fall.
    # After the last pause the robot, in the same run, clicks the boxes until a box comes.
    [ "$key" = p ] || play_command "$level1" "${level1_boxes[@]}"
    keys "$pause" Return
    expect_gone "$pause" Cratefall
    mapfile -t told < <(robot chain fall "$level1" "$waiting" "$(limit_ms)" "$work/resumed-$key" \
        "${level1_boxes[@]}" ${play[@]+-- "${play[@]}"})
    expect_equal "${told[0]:-}" "3 of 3" "boxes falling after the pause"
done
won_level Tilefall "${told[1]:-}"

step "level 2 opens in place of level 1 and waits"
level2=$(level_shown "$(level_screen 2)" waiting-a)
a="$work/waiting-a.png"
expect_no_window "$level1_caption"
sleep 0.6 # how long it is watched, not a wait for the game
b=$(shot "$level2" waiting-b)
expect_equal "$(robot differ "$a" "$b")" 0 "pixels that changed while level 2 waits"
[ "$(robot extent "$a" "$(rect_px "$(level_screen 2)" Label4)" "#ff8080")" != none ] ||
    fail "no \"Click to Start\" on level 2"
