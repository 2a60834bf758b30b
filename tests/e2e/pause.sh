#!/bin/bash
# P (or p) on a running level opens the pause box titled "Cratefall"; while it is open the boxes
# stand still, and after Enter they fall again.
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
    keys "$pause" Return
    expect_gone "$pause" Cratefall
    # The level window draws again what the box covered, every box is in sight, and they fall.
    expect_equal "$(await_fall "$level1" "resumed-$key" "$waiting" "${level1_boxes[@]}")" \
        "3 of 3" "boxes falling after the pause"
done
