#!/bin/bash
# Closing windows with the window manager's close button: the program keeps running while a window
# of it is shown and ends with status 0 when the last one is closed, a running level included.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/screens.sh"

step "the title and how to play: closing the title leaves the program running"
start_title
keys "$title" ctrl+d
how=$(window "How to play")
robot close "$title"
expect_gone "$title" "$title_caption"
kill -0 "$game_pid" 2>/dev/null || fail "the program ended with a window still shown"
window "How to play" 0 >/dev/null

step "closing how to play, the last window, ends the program with status 0"
robot close "$how"
expect_exit_status 0 30

step "closing a running level ends the program with status 0"
open_level1
start_level1
robot close "$level1"
expect_exit_status 0 30
expect_no_window "$level1_caption"
