#!/bin/bash
# The title's menu, used as a player uses it: the keyboard shortcuts and access keys, and the
# mouse on the menu bar; and the window manager's close button, which leaves the program running
# while a window of it is shown and ends it with status 0 when the last one is closed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/screens.sh"

start_title

step "Ctrl+D shows how to play; Enter closes it"
keys "$title" ctrl+d
how=$(window "How to play")
keys "$how" Return
expect_gone "$how" "How to play"
window "$title_caption" 0 >/dev/null

step "Help, About Creator with the mouse shows the about window"
# How to play lay over the menu bar: look once the title has drawn it again.
title=$(shown "$title_caption" menu-bar title_drawn)
bar="$work/menu-bar.png"
menu=$(title_menu_height "$bar")
mapfile -t titles < <(robot ink "$bar" "0,0,$title_client_width,$((menu - 1))" columns 4)
expect_equal "${#titles[@]}" 2 "menu titles on the bar (File, Help)"
click "$title" "${titles[1]},$((menu / 2))"
popup=$(robot popup "$(limit_ms)") || fail "the Help menu did not drop down"
items=$(await_look "$popup" help-menu menu_drawn) || fail "the Help menu was never drawn"
read -r popup_width popup_height < <(image_size "$items")
# Inside the menu's frame, each item is a run of rows with text.
mapfile -t rows < <(robot ink "$items" "3,3,$((popup_width - 6)),$((popup_height - 6))" rows 4)
expect_equal "${#rows[@]}" 2 "items in the Help menu (How to play, About Creator)"
click "$popup" "$((popup_width / 3)),${rows[1]}"
about=$(window "About Mokram")
expect_no_window "How to play"
keys "$about" Return
expect_gone "$about" "About Mokram"

step "Alt+F, P opens level 1 in place of the title"
play_level1
expect_gone "$title" "$title_caption"

step "the window manager's close button on a running level ends the program with status 0"
start_level1
robot close "$level1"
expect_exit_status 0 30
expect_no_window "$level1_caption"

step "Ctrl+F4 ends the program with status 0"
start_title title-again
keys "$title" ctrl+F4
expect_exit_status 0 30
expect_no_window "$title_caption"

step "closing the title with how to play open leaves the program running"
start_title title-third
keys "$title" ctrl+d
how=$(window "How to play")
robot close "$title"
expect_gone "$title" "$title_caption"
kill -0 "$game_pid" 2>/dev/null || fail "the program ended with a window still shown"
window "How to play" 0 >/dev/null

step "closing how to play, the last window, ends the program with status 0"
robot close "$how"
expect_exit_status 0 30
