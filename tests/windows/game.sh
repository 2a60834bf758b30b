#!/bin/bash
# The release zip's game under Wine, played by the end-to-end robot as on Linux: the title, File,
# Play, the start click, a box scored, P and its box closed by Enter, the loss box, and Ctrl+F4
# ending the program with status 0. The title, the waiting level and the pause box are compared
# with Linux's screenshots (tests/reference/), and kept (CRATEFALL_WINDOWS_SHOTS).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/windows_game.sh"

references="$repo_root/tests/reference"
# like_linux NAME SHOT [TOP LEFT,RIGHT...]: the screenshot is Linux's NAME.png but for its text's
# edges, outside the columns given below row TOP (where the title's pictures fall). Wine gives
# Fusion its system colours, 6 of 255 lighter than Linux's, and draws text unsmoothed: under Wine 8
# the title differs by more than 8 in 288 of 164,973 pixels (its menu bar's words), level 1 in
# 1,045 of 141,183 (its two texts). A menu bar in another font size has another height.
like_linux() {
    local reference="$references/$1.png" width height top=${3:-0} left=0 count column
    read -r width height < <(image_size "$2")
    [ "$width $height" = "$(image_size "$reference")" ] || fail "$1: ${width}x$height pixels \
under Wine, $(image_size "$reference" | tr ' ' x) on Linux: its menu bar is drawn at another size"
    count=$(robot differ "$2" "$reference" "0,0,$width,$top" 8)
    for column in "${@:4}" "$width,$width"; do
        count=$((count + $(robot differ "$2" "$reference" \
            "$left,$top,$((${column%,*} - left)),$((height - top))" 8)))
        left=$((${column#*,} + 1))
    done
    echo "$1: $count of $((width * height)) pixels differ from Linux's"
    [ $((count * 100)) -le $((width * height)) ] || fail "$1: $count pixels differ from Linux's"
}

# box_like_linux SHOT: a box whose size follows its face's metrics, in which Wine's rasteriser and
# FreeType differ: the pause box is 228x70 pixels under Wine 8 (at 12 points 242x79), 233x72 on
# Linux. Its area is Linux's but for a tenth.
box_like_linux() {
    local size linux change told
    size=$(image_size "$1" | tr ' ' x) linux=$(image_size "$references/pause.png" | tr ' ' x)
    change=$((100 * (${size/x/*} - ${linux/x/*}) / (${linux/x/*})))
    told="pause: $size pixels under Wine, $linux on Linux ($change % in area)"
    echo "$told"
    [ "${change#-}" -le 10 ] || fail "$told: its text is drawn at another size"
}

# Whether a look at a box shows it drawn: its corner in the colour of the title's menu bar, and
# the same look twice.
box_drawn() {
    local colour
    colour=$(robot probe "$work/title.png" "$((title_client_width / 2)),2")
    [ "$(robot probe "$1" 0,0)" = "$colour" ] && still "$1"
}

unpack_release
start_title
read -r _ height < <(image_size "$work/title.png")
like_linux title "$work/title.png" $((height - title_client_height)) "${title_strips[@]}"
score=$(rect_px "$(level_screen 1)" Label1)

step "File, Play opens level 1, waiting for its first click"
play_level1
like_linux level1 "$waiting"
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
pause=$(shown Cratefall pause box_drawn)
box_like_linux "$work/pause.png"
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
    cp "$work/pause.png" "$CRATEFALL_WINDOWS_SHOTS/pause.png"
fi
