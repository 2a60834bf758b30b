#!/bin/bash
# Level 1 played for real. Before the first click: the window's size, the score labels, the boxes
# with the white background showing through their see-through rims, and "Click to Start" until it
# is clicked. Running: P (or p) opens the pause box titled "Cratefall", while it is open the boxes
# stand still, and after Enter they fall again; then the robot clicks the falling boxes and wins:
# the box titled "Cratefall" comes, and after Enter level 2 opens, waiting for its first click.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/screens.sh"

start_title
play_level1
level1_screen=$(level_screen 1)

read -r client_width client_height < <(client_px "$level1_screen")
step "a client area of $client_width x $client_height pixels"
read -r width height < <(image_size "$waiting")
expect_equal "$width x $height" "$client_width x $client_height" "the level 1 window's client area"

step "the score caption is black and the score green where the layout puts them"
# Corners away from the captions' text; the score's own bottom edge lies below the window.
IFS=, read -r _ caption_top caption_width caption_height <<<"$(rect_px "$level1_screen" Label2)"
IFS=, read -r _ score_top _ <<<"$(rect_px "$level1_screen" Label1)"
for at in "1,$((caption_top + 1))" "$((caption_width - 2)),$((caption_top + caption_height - 2))"; do
    expect_equal "$(robot probe "$waiting" "$at")" "#000000" "Label2 at $at"
done
for at in "1,$((score_top + 2))" "$((caption_width - 2)),$((height - 1))"; do
    expect_equal "$(robot probe "$waiting" "$at")" "#004000" "Label1 at $at"
done
expect_equal "$(robot probe "$waiting" "$((caption_width + 1)),$((caption_top + 5))")" \
    "$white" "the background right of the score captions"

step "each box where the layout puts it, white showing through its rim"
for design in "${level1_boxes[@]}"; do
    IFS=, read -r x y w h <<<"${design%@*}"
    read -r ex ey ew eh < <(robot extent "$waiting" "$((x - 6)),$((y - 6)),$((w + 12)),$((h + 12))" \
        "$white" | sed 's/none/-1 -1 0 0/')
    # The tile's outer ring of pixels, stretched, is a white margin of one to w/16 pixels.
    for margin in "$((ex - x))" "$((ey - y))" "$((x + w - ex - ew))" "$((y + h - ey - eh))"; do
        [ "$margin" -ge 1 ] && [ "$margin" -le $(((w > h ? w : h) / 16 + 1)) ] ||
            fail "the box at $x,$y ${w}x$h is drawn at $ex,$ey ${ew}x$eh"
    done
done

step "waiting: nothing moves"
sleep 0.5 # how long it is watched, not a wait for the game
later=$(shot "$level1" waiting-later)
expect_equal "$(robot differ "$waiting" "$later")" 0 "pixels changed while waiting"

step "\"Click to Start\" is shown until it is clicked, and the click starts the level"
# Only the parts of the label between the boxes' columns: boxes fall through the rest.
IFS=, read -r label_left label_top _ label_height <<<"$(rect_px "$level1_screen" Label4)"
IFS=, read -r _ _ box2_width _ <<<"$(rect_px "$level1_screen" Image2)"
column2=${level1_boxes[1]#*@}
column3=${level1_boxes[2]#*@}
label_parts=("$((label_left + 4)),$label_top,$((column2 - label_left - 4)),$label_height"
    "$((column2 + box2_width + 1)),$label_top,$((column3 - column2 - box2_width - 1)),$label_height")
for part in "${label_parts[@]}"; do
    [ "$(robot extent "$waiting" "$part" "$white")" != none ] || fail "no text in $part"
done
IFS=, read -r lx ly lw lh <<<"${label_parts[0]}"
click "$level1" "$((lx + lw / 2)),$((ly + lh / 2))"
# The robot looks until it sees every box, then every one lower down, in one run of its own: a
# program started for each look could, on a loaded machine, let the level run on to its loss.
expect_equal "$(robot fall "$level1" "$waiting" "$(limit_ms)" "$work/running" \
    "${level1_boxes[@]}")" "3 of 3" "boxes falling after the click on the label"
# The boxes had fallen, so the level had started and the label gone: the look that saw them fall
# has no text left where the label was.
for part in "${label_parts[@]}"; do
    expect_equal "$(robot extent "$work/running-to.png" "$part" "$white")" none "text left in $part"
done

for key in p P; do
    step "$key pauses"
    keys "$level1" "$key"
    pause=$(window Cratefall)
    # The box stands over the middle of the level window and may hide a box or two; what lies
    # under it is the box's own drawing, done whenever it gets round to it, so it is left out.
    a=$(shot "$level1" "paused-$key-a" "$pause")
    sleep 1 # how long it is watched, not a wait for the game
    b=$(shot "$level1" "paused-$key-b" "$pause")
    # No pixel changed, a box in sight: no box moved.
    [ "$(robot boxes "$waiting" "$a" "${level1_boxes[@]}" | grep -cvx -- -)" -ge 1 ] ||
        fail "no box in sight while paused"
    expect_equal "$(robot differ "$a" "$b")" 0 "pixels that changed while paused"

    step "Enter closes the box and the boxes fall again"
    # The level window draws again what the box covered, every box is in sight, and they fall.
    # After the last pause the robot, in the same run, clicks the boxes until a box comes.
    [ "$key" = p ] || play_command "$level1" "${level1_boxes[@]}"
    keys "$pause" Return
    expect_gone "$pause" Cratefall
    mapfile -t told < <(robot chain fall "$level1" "$waiting" "$(limit_ms)" "$work/resumed-$key" \
        "${level1_boxes[@]}" ${play[@]+-- "${play[@]}"})
    expect_equal "${told[0]:-}" "3 of 3" "boxes falling after the pause"
done
won_level Tilefall "${told[1]:-}"

step "level 2 opens in place of level 1 and waits"
level2=$(level_shown "$(level_screen 2)" waiting-a)
a="$work/waiting-a.png"
expect_no_window "$level1_caption"
sleep 0.6 # how long it is watched, not a wait for the game
b=$(shot "$level2" waiting-b)
expect_equal "$(robot differ "$a" "$b")" 0 "pixels that changed while level 2 waits"
[ "$(robot extent "$a" "$(rect_px "$(level_screen 2)" Label4)" "#ff8080")" != none ] ||
    fail "no \"Click to Start\" on level 2"
