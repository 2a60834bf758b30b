#!/bin/bash
# Level 1 left alone: a click on the background starts it, the boxes reach the bottom, the loss
# box titled "Tilefall" comes, and after Enter the title screen is back with its pictures
# starting from the top again.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/lib.sh"
source "$here/screens.sh"

ensure_display
start_game "$CRATEFALL"
title=$(window "$title_caption")
read -r height < <(xwininfo -id "$title" | awk '/ Height:/ {print $2}')
menu=$(title_menu_height "$(shot "$title" title)" "$height")

step "let the title run until its pictures no longer fall side by side from the top"
# Otherwise a title shown again without starting over would look just like a fresh one.
for attempt in $(seq 40); do
    mapfile -t tops < <(title_picture_tops "$(shot "$title" "title-$attempt")" "$menu")
    pictures_fresh "${tops[@]}" || break
    sleep 0.25
done
echo "title pictures at ${tops[*]}"
pictures_fresh "${tops[@]}" && fail "the title pictures never left their first places"

step "File, Play; a click on the background starts level 1"
open_menu "$title" alt+f
xdotool key p
level1=$(window "$level1_caption")
waiting=$(shot "$level1" waiting)
click "$level1" "$(px 3000),$(px 6000)"
sleep 0.3
a=$(shot "$level1" running-a)
sleep 0.3
b=$(shot "$level1" running-b)
read -r moved seen < <(boxes_moved_down "$waiting" "$a" "$b" "${level1_boxes[@]}")
expect_equal "$moved of $seen" "3 of 3" "boxes falling after the click"

step "with no more clicks the loss box comes"
loss=$(window Tilefall 30000)
expect_no_window Cratefall
keys "$loss" Return
expect_gone "$loss" Tilefall

step "the title screen is back, its pictures starting from the top"
title=$(window "$title_caption")
again=$(shot "$title" title-again)
mapfile -t tops < <(title_picture_tops "$again" "$menu")
echo "title pictures at ${tops[*]}"
pictures_fresh "${tops[@]}" || fail "the title pictures are not back at the top: ${tops[*]}"
expect_no_window "$level1_caption"
