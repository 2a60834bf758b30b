#!/bin/bash
# P (or p) on a running level opens the pause box titled "Cratefall"; while it is open the boxes
# stand still, and after Enter they fall again.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/lib.sh"
source "$here/screens.sh"

ensure_display
open_level1
waiting=$(shot "$level1" waiting)
click "$level1" "$(px 3000),$(px 6000)"

for key in p P; do
    step "$key pauses"
    keys "$level1" "$key"
    pause=$(window Cratefall 5000)
    a=$(shot "$level1" "paused-$key-a")
    sleep 1
    b=$(shot "$level1" "paused-$key-b")
    # The box stands over the middle of the level window and may hide a box or two.
    read -r moved seen < <(boxes_moved_down "$waiting" "$a" "$b" "${level1_boxes[@]}")
    [ "$seen" -ge 1 ] || fail "no box in sight while paused"
    expect_equal "$moved" 0 "boxes that moved while the pause box was open"
    expect_equal "$(robot differ "$a" "$b")" 0 "pixels that changed while paused"

    step "Enter closes the box and the boxes fall again"
    keys "$pause" Return
    expect_gone "$pause" Cratefall
    sleep 0.2 # the level window redraws what the box covered
    c=$(shot "$level1" "resumed-$key-a")
    sleep 0.3
    d=$(shot "$level1" "resumed-$key-b")
    read -r moved seen < <(boxes_moved_down "$waiting" "$c" "$d" "${level1_boxes[@]}")
    expect_equal "$moved of $seen" "3 of 3" "boxes falling after the pause"
done
