#!/bin/bash
# The robot plays level 1 with real clicks on the falling boxes and wins it: the box titled
# "Cratefall" comes, and after Enter level 2 opens, waiting for its first click.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/screens.sh"

open_level1
step "the robot starts level 1 and clicks its boxes until a box comes"
play_command "$level1" "${level1_boxes[@]}"
start_level1 "${play[@]}"
won_level Tilefall "${started[0]:-}"

step "level 2 opens in place of level 1 and waits"
level2=$(level_shown "$(level_screen 2)" waiting-a)
a="$work/waiting-a.png"
expect_no_window "$level1_caption"
sleep 0.6 # how long it is watched, not a wait for the game
b=$(shot "$level2" waiting-b)
expect_equal "$(robot differ "$a" "$b")" 0 "pixels that changed while level 2 waits"
[ "$(robot extent "$a" "$(rect_px "$(level_screen 2)" Label4)" "#ff8080")" != none ] ||
    fail "no \"Click to Start\" on level 2"
