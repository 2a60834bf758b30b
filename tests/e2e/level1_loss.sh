#!/bin/bash
# Level 1 left alone: a click on the background starts it, the boxes reach the bottom, the loss
# box titled "Tilefall" comes, and after Enter the title screen is back with its pictures
# starting from the top again.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/screens.sh"

start_title
read -r _ height < <(image_size "$work/title.png")
menu=$(title_menu_height "$work/title.png" "$height")

step "let the title run until its pictures no longer fall side by side from the top"
# Otherwise a title shown again without starting over would look just like a fresh one.
title_moved_on() {
    local tops
    mapfile -t tops < <(title_picture_tops "$1" "$menu")
    ! pictures_fresh "${tops[@]}"
}
moved_on=$(await_look "$title" title-running title_moved_on) ||
    fail "the title pictures never left their first places"
mapfile -t tops < <(title_picture_tops "$moved_on" "$menu")
echo "title pictures at ${tops[*]}"

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
again="$work/title-again.png"
mapfile -t tops < <(title_picture_tops "$again" "$menu")
echo "title pictures at ${tops[*]}"
pictures_fresh "${tops[@]}" || fail "the title pictures are not back at the top: ${tops[*]}"
expect_no_window "$level1_caption"
