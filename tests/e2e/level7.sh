#!/bin/bash
# Level 7 through the test entry: the scenery shows through the boxes and the bars hide them; a
# click on a bar over a box does nothing, a click on a box scores; the robot wins the level and
# level 8 opens.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/screens.sh"

level7_screen=$(level_screen 7)
mapfile -t boxes < <(level_boxes "$level7_screen")
IFS=, read -r _ _ _ box_size <<<"$(rect_px "$level7_screen" Image1)"
IFS=, read -r bar_left bar_top _ bar_height <<<"$(rect_px "$level7_screen" Image6)" # the upper bar
bar_middle=$((bar_top + bar_height / 2))
score=$(rect_px "$level7_screen" Label1)

start_game "$CRATEFALL_E2E_ENTRY" "$level7_screen"
level7=$(level_shown "$level7_screen" waiting)
waiting="$work/waiting.png"

step "a click on the scenery starts the level"
click "$level7" "$(px 6750),$(px 3750)"

# The level runs on while the robot looks, and lost boxes end it: the robot clicks and looks in
# one run of its own, and what it saw is judged after the game.
step "the robot clicks the bar over a box, then a low box, then plays the level until a box comes"
# A box whose top is in the first range still covers the bar's middle row three ticks later; the
# robot clicks that row of its column the moment it sees it, looks at once, and then until the
# game has had ticks enough to answer the click. The low box, sent to the top, is seen above
# that place for more than a second.
play_command "$level7" "${boxes[@]}"
mapfile -t told < <(robot chain \
    await-box "$level7" "$waiting" $((bar_middle - box_size + 6)) $((bar_middle - 30)) \
    "$(limit_ms 10000)" "$work/bar" "$bar_middle" "${boxes[@]}" -- \
    await-box "$level7" "$waiting" "$(px 3750)" "$(px 7500)" "$(limit_ms 10000)" "$work/aimed" \
    aim "${boxes[@]}" -- "${play[@]}")
[ "${#told[@]}" -ge 1 ] || fail "never saw a box pass behind the bar"
read -r number behind_top _ _ bar_fate <<<"${told[0]}"
bar_box=$((number - 1))
echo "box $number at $behind_top, behind the bar, clicked there: $bar_fate"
[ "${#told[@]}" -ge 2 ] || fail "never saw a box low enough to click"
read -r number aimed_top _ _ aim_fate <<<"${told[1]}"
aimed_box=$((number - 1))
echo "box $number at $aimed_top, clicked: $aim_fate"
won_level Thingfall "${told[2]:-}"
window "$(caption "$(level_screen 8)")" >/dev/null
expect_no_window "$(caption "$level7_screen")"

step "what the looks showed: the bar hid box $((bar_box + 1)) and swallowed the click"
mapfile -t seen < <(robot boxes "$waiting" "$work/bar-now.png" "${boxes[@]}")
[ "${seen[bar_box]}" != - ] && [ "${seen[bar_box]%% *}" -le $((bar_middle - 5)) ] ||
    fail "box $((bar_box + 1)) had left the bar's middle row before the click: ${seen[bar_box]}"
column=${boxes[bar_box]#*@}
# Box 1's column starts left of the bar; only what the bar covers counts.
hidden_left=$((column + 5 > bar_left ? column + 5 : bar_left))
hidden="$hidden_left,$bar_top,$((column + box_size - 5 - hidden_left)),$bar_height"
expect_equal "$(robot differ "$waiting" "$work/bar-seen.png" "$hidden")" 0 \
    "pixels of the bar that changed with box $((bar_box + 1)) behind it"
mapfile -t seen < <(robot boxes "$waiting" "$work/bar-answer.png" "${boxes[@]}")
[ "${seen[bar_box]}" != - ] && [ "${seen[bar_box]%% *}" -gt "$behind_top" ] ||
    fail "box $((bar_box + 1)) went from $behind_top to ${seen[bar_box]} after a click on the bar"
expect_equal "$(robot differ "$work/bar-seen.png" "$work/bar-answer.png" "$score")" 0 \
    "score pixels changed by the bar click"

step "what the looks showed: the clicked box went to the top and the score changed"
mapfile -t seen < <(robot boxes "$waiting" "$work/aimed-answer.png" "${boxes[@]}")
[ "${seen[aimed_box]}" != - ] && [ "${seen[aimed_box]%% *}" -lt "$aimed_top" ] ||
    fail "box $((aimed_box + 1)) went from $aimed_top to ${seen[aimed_box]} after a click on it"
[ "$(robot differ "$work/aimed-seen.png" "$work/aimed-answer.png" "$score")" -gt 0 ] ||
    fail "the score did not change"

step "the scenery shows through the boxes' rims"
# Where a box stood while the level waited, the same scenery is seen once it has fallen away
# (as all had when the bar was clicked).
for i in 0 1 2 3; do
    column=${boxes[i]#*@}
    rim="$column,2,2,$((box_size - 4))"
    expect_equal "$(robot differ "$waiting" "$work/bar-answer.png" "$rim")" 0 "box $((i + 1))'s rim"
    first_colour=$(robot probe "$waiting" "$column,2")
    [ "$(robot extent "$waiting" "$rim" "$first_colour")" != none ] ||
        fail "a flat colour, not scenery, behind box $((i + 1))'s rim"
done
