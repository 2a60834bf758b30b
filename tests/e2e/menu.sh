#!/bin/bash
# The title's menu, used as a player uses it: the keyboard shortcuts and access keys, and the
# mouse on the menu bar.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/lib.sh"
source "$here/screens.sh"

ensure_display
start_game "$CRATEFALL"
title=$(window "$title_caption")

step "Ctrl+D shows how to play; Enter closes it"
keys "$title" ctrl+d
how=$(window "How to play")
keys "$how" Return
expect_gone "$how" "How to play"
window "$title_caption" 0 >/dev/null

step "Help, About Creator with the mouse shows the about window"
read -r height < <(xwininfo -id "$title" | awk '/ Height:/ {print $2}')
bar=$(shot "$title" menu-bar)
menu=$(title_menu_height "$bar" "$height")
mapfile -t titles < <(robot ink "$bar" "0,0,$title_client_width,$((menu - 1))" columns 4)
expect_equal "${#titles[@]}" 2 "menu titles on the bar (File, Help)"
click "$title" "${titles[1]},$((menu / 2))"
popup=$(robot popup 5000) || fail "the Help menu did not drop down"
read -r popup_width popup_height < <(xwininfo -id "$popup" | awk '/ Width:/ {w = $2}
    / Height:/ {h = $2} END {print w, h}')
items=$(shot "$popup" help-menu)
# Inside the menu's frame, each item is a run of rows with text.
mapfile -t rows < <(robot ink "$items" "3,3,$((popup_width - 6)),$((popup_height - 6))" rows 4)
expect_equal "${#rows[@]}" 2 "items in the Help menu (How to play, About Creator)"
click "$popup" "$((popup_width / 3)),${rows[1]}"
about=$(window "About Mokram")
expect_no_window "How to play"
keys "$about" Return
expect_gone "$about" "About Mokram"

step "Alt+F, P opens level 1 in place of the title"
open_menu "$title" alt+f
xdotool key p
window "$level1_caption" >/dev/null
expect_gone "$title" "$title_caption"
stop_pid "$game_pid"
forget_pid "$game_pid"

step "Ctrl+F4 ends the program with status 0"
start_game "$CRATEFALL"
title=$(window "$title_caption")
keys "$title" ctrl+F4
expect_exit_status 0 10
expect_no_window "$title_caption"
