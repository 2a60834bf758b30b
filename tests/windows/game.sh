#!/bin/bash
# The release zip's game under Wine, played by the end-to-end robot as on Linux: the title, File,
# Play, the start click, a box scored, P and its box closed by Enter, the loss box, and Ctrl+F4
# ending the program with status 0. The title and the waiting level are kept as screenshots
# (CRATEFALL_WINDOWS_SHOTS) to set beside Linux's.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/windows_game.sh"

unpack_release
start_title
read -r left top width height < <(twips Form2 Label1)
score="$(px "$left"),$(px "$top"),$(px "$width"),$(px "$height")"

step "File, Play opens level 1, waiting for its first click"
play_level1
start_level1_under_wine

step "a click on a low box sends it to the top and changes the score"
read -r number top _ _ fate < <(robot await-box "$level1" "$waiting" "$(px 3000)" "$(px 6000)" \
    "$(limit_ms 10000)" "$work/aimed" aim "${level1_boxes[@]}") ||
    fail "never saw a box low enough to click"
echo "box $number at $top, clicked: $fate"
expect_equal "$fate" answered "what became of the clicked box"
[ "$(robot differ "$work/aimed-seen.png" "$work/aimed-answer.png" "$score")" -gt 0 ] ||
    fail "the score did not change after box $number was scored"

step "P pauses with the box titled Cratefall; Enter closes it"
keys "$level1" p
pause=$(window Cratefall)
keys "$pause" Return
expect_gone "$pause" Cratefall

step "left alone, the level is lost: the box titled Tilefall, closed by Enter"
loss=$(window Tilefall 60000)
keys "$loss" Return
expect_gone "$loss" Tilefall

step "the title is back; Ctrl+F4 ends the program with status 0"
title=$(shown "$title_caption" title-again title_drawn)
keys "$title" ctrl+F4
expect_exit_status 0 30
expect_no_window "$title_caption"

if [ -n "${CRATEFALL_WINDOWS_SHOTS:-}" ]; then
    mkdir -p "$CRATEFALL_WINDOWS_SHOTS"
    cp "$work/title.png" "$CRATEFALL_WINDOWS_SHOTS/title.png"
    cp "$work/waiting.png" "$CRATEFALL_WINDOWS_SHOTS/level1.png"
fi
