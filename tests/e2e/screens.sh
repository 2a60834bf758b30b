# What the end-to-end tests know of the game's screens (from the layouts, in twips turned into
# pixels) and the ways to reach them. Sourced after lib.sh.
# shellcheck shell=bash

title_caption="Cratefall 1.0 - By Mokram"
title_client_width=381
title_client_height=414
level1_caption="Cratefall - Level 1"
white="#ffffff"

# box WAIT_LEFT WAIT_TOP WIDTH HEIGHT FALL_LEFT (twips): the robot's "x,y,w,h@column".
box() {
    echo "$(px "$1"),$(px "$2"),$(px "$3"),$(px "$4")@$(px "$5")"
}

level1_boxes=(
    "$(box 120 120 735 855 0)"
    "$(box 1440 120 705 840 1400)"
    "$(box 2760 120 615 855 2800)"
)

# The title's pictures: each strip spans the picture's designed place and its falling place.
title_strips=(
    "$(px 130),$(($(px 240) + $(px 825) - 1))"
    "$(px 2040),$(($(px 2100) + $(px 840) - 1))"
    "$(px 3840),$(($(px 4500) + $(px 825) - 1))"
)
title_steps=(130 160 90)         # twips a tick
title_designed_tops=(240 240 360) # twips, before the first tick

# title_picture_tops SHOT MENU_HEIGHT: the first row of each picture in the client area ("-" for a
# picture out of sight), one line each.
title_picture_tops() {
    local row
    for row in $(robot first-ink "$1" "$2" "$white" "${title_strips[@]}"); do
        if [ "$row" = - ]; then echo -; else echo $((row - $2)); fi
    done
}

# The menu bar's height: the client area is white and starts right below it.
title_menu_height() {
    local shot="$1" height="$2" row
    row=$((height - title_client_height))
    [ "$(robot probe "$shot" "$((title_client_width - 5)),$row")" = "$white" ] ||
        fail "the title's client area is not white at its top"
    [ "$(robot probe "$shot" "$((title_client_width - 5)),$((row - 1))")" != "$white" ] ||
        fail "no menu bar above the title's client area"
    echo "$row"
}

# Whether the three pictures stand where a fresh title puts them after the same number of ticks
# (one may lag a tick behind the others, drawn just after the screenshot). The first row seen of a
# picture is inside its see-through rim, up to six pixels below its top.
pictures_fresh() {
    local tops=("$@") ticks i lag expected offset ok
    for ticks in $(seq 0 40); do
        ok=1
        for i in 0 1 2; do
            [ "${tops[i]}" = - ] && return 1
            offset=-1
            for lag in 0 1; do
                [ $((ticks - lag)) -lt 0 ] && continue
                if [ $((ticks - lag)) -eq 0 ]; then
                    expected=$(((title_designed_tops[i] + 7) / 15))
                else
                    expected=$((((ticks - lag) * title_steps[i] + 7) / 15))
                fi
                if [ $((tops[i] - expected)) -ge 0 ] && [ $((tops[i] - expected)) -le 6 ]; then
                    offset=$((tops[i] - expected))
                fi
            done
            [ "$offset" -lt 0 ] && ok=0
        done
        [ "$ok" -eq 1 ] && return 0
    done
    return 1
}

# open_menu WINDOW KEYS: opens a menu from the keyboard and waits for it to drop down.
open_menu() {
    keys "$1" "$2"
    robot popup 5000 >/dev/null || fail "no menu dropped down after $2"
}

# open_level1: the shipped game, File, Play; the level window's id in level1.
open_level1() {
    start_game "$CRATEFALL"
    title=$(window "$title_caption")
    open_menu "$title" alt+f
    xdotool key p
    level1=$(window "$level1_caption")
}

# Boxes whose top moved down between two screenshots, and boxes seen in both.
boxes_moved_down() {
    local before after
    mapfile -t before < <(robot boxes "$1" "$2" "${@:4}")
    mapfile -t after < <(robot boxes "$1" "$3" "${@:4}")
    local i moved=0 seen=0
    for i in "${!before[@]}"; do
        [ "${before[i]}" = - ] || [ "${after[i]}" = - ] && continue
        seen=$((seen + 1))
        [ "${after[i]%% *}" -gt "${before[i]%% *}" ] && moved=$((moved + 1))
    done
    echo "$moved $seen"
}
