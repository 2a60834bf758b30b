#!/bin/bash
# Level 7 through the test entry: the scenery shows through the boxes and the bars hide them; a
# click on a bar over a box does nothing, a click on a box scores; the robot wins the level and
# level 8 opens.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/lib.sh"
source "$here/screens.sh"

boxes=("$(box 360 0 855 855 360)" "$(box 1680 0 855 855 1680)" "$(box 3120 0 855 855 3120)"
    "$(box 4440 0 855 855 4438)" "$(box 5880 0 855 855 5760)")
box_size=$(px 855)
bar_left=$(px 480)
bar_top=$(px 2160)
bar_height=$(px 450)
bar_middle=$((bar_top + bar_height / 2))
score="0,$(px 8400),$(px 735),$(px 495)"

# column_of BOX_INDEX: the left edge of the column the box falls down.
column_of() {
    local spec="${boxes[$1]}"
    echo "${spec#*@}"
}

ensure_display
start_game "$CRATEFALL_E2E_ENTRY" Form8
level7=$(window "Cratefall - Level 7")
waiting=$(shot "$level7" waiting)

step "a click on the scenery starts the level"
click "$level7" "$(px 6750),$(px 3750)"

step "a box behind the bar: the bar hides it, and a click on the bar does nothing"
# A box whose top is in this range still covers the bar's middle row three ticks later; the robot
# clicks that row of its column the moment it sees it.
before="$work/bar.png"
read -r number top _ < <(robot await-box "$level7" "$waiting" $((bar_middle - box_size + 6)) \
    $((bar_middle - 30)) 5000 "$before" "$bar_middle" "${boxes[@]}") ||
    fail "never saw a box pass behind the bar"
found=$((number - 1))
echo "box $number at $top, behind the bar, clicked there"
now=$(shot "$level7" bar-clicked-now)
mapfile -t seen < <(robot boxes "$waiting" "$now" "${boxes[@]}")
[ "${seen[found]}" != - ] && [ "${seen[found]%% *}" -le $((bar_middle - 5)) ] ||
    fail "box $number had left the bar's middle row before the click: ${seen[found]}"
column=$(column_of "$found")
# Box 1's column starts left of the bar; only what the bar covers counts.
hidden_left=$((column + 5 > bar_left ? column + 5 : bar_left))
hidden="$hidden_left,$bar_top,$((column + box_size - 5 - hidden_left)),$bar_height"
expect_equal "$(robot differ "$waiting" "$before" "$hidden")" 0 \
    "pixels of the bar that changed with box $number behind it"
sleep 0.25
after=$(shot "$level7" bar-clicked)
mapfile -t seen < <(robot boxes "$waiting" "$after" "${boxes[@]}")
[ "${seen[found]}" != - ] && [ "${seen[found]%% *}" -gt "$top" ] ||
    fail "box $number went from $top to ${seen[found]} after a click on the bar"
expect_equal "$(robot differ "$before" "$after" "$score")" 0 "score pixels changed by the bar click"

step "a click on a box sends it to the top and changes the score"
# Low enough that, sent to the top, it is seen above that place for more than a second.
aimed="$work/aimed.png"
read -r number top _ < <(robot await-box "$level7" "$waiting" $(px 3750) $(px 7500) 5000 \
    "$aimed" aim "${boxes[@]}") || fail "never saw a box low enough to click"
echo "box $number at $top, clicked"
sleep 0.25
clicked=$(shot "$level7" box-clicked)
mapfile -t seen < <(robot boxes "$waiting" "$clicked" "${boxes[@]}")
[ "${seen[number - 1]}" != - ] && [ "${seen[number - 1]%% *}" -lt "$top" ] ||
    fail "box $number went from $top to ${seen[number - 1]} after a click on it"
[ "$(robot differ "$aimed" "$clicked" "$score")" -gt 0 ] || fail "the score did not change"

step "the scenery shows through the boxes' rims"
# Where a box stood while the level waited, the same scenery is seen once it has fallen away
# (as all had when the bar was clicked).
for i in 0 1 2 3; do
    column=$(column_of "$i")
    rim="$column,2,2,$((box_size - 4))"
    expect_equal "$(robot differ "$waiting" "$after" "$rim")" 0 "box $((i + 1))'s rim"
    first_colour=$(robot probe "$waiting" "$column,2")
    [ "$(robot extent "$waiting" "$rim" "$first_colour")" != none ] ||
        fail "a flat colour, not scenery, behind box $((i + 1))'s rim"
done

step "the robot clicks the boxes until a box comes"
read -r ending clicks < <(robot play "$level7" "$waiting" "$(px 900)" 40000 "${boxes[@]}") || true
echo "robot: $ending after $clicks clicks"
expect_equal "$ending" new-window "how the robot's game ended"
win=$(window Cratefall 5000)
expect_no_window Thingfall
keys "$win" Return
expect_gone "$win" Cratefall
window "Thingfall - Level 8" >/dev/null
expect_no_window "Cratefall - Level 7"
