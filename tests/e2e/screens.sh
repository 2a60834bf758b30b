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

# Whether a screenshot shows the title drawn: its client area white at the right, from the top
# of the designed height down to the bottom, below something that is not white (the menu bar).
# A window not yet drawn shows what lay there before.
title_drawn() {
    local width height row colours
    read -r width height < <(image_size "$1") || return 1
    row=$((height - title_client_height))
    [ "$row" -gt 0 ] || return 1
    mapfile -t colours < <(robot probe "$1" "$((width - 5)),$row" "$((width - 5)),$((height - 1))" \
        "$((width - 5)),$((row - 1))")
    [ "${colours[0]:-}" = "$white" ] && [ "${colours[1]:-}" = "$white" ] &&
        [ "${colours[2]:-$white}" != "$white" ]
}

# level_waiting SHOT SCORE_TOP: whether a screenshot shows a level window drawn and waiting for
# its first click: its score box (at SCORE_TOP twips) in its dark green, and nothing changed since
# the look before.
level_waiting() {
    [ "$(robot probe "$1" "$(px 15),$(($(px "$2") + 2))")" = "#004000" ] && still "$1"
}

# Whether a screenshot shows a dropped-down menu drawn: a frame of one colour, not white, all
# round it (what lay beneath a menu not yet drawn has no such frame).
menu_drawn() {
    local width height frame side
    read -r width height < <(image_size "$1") || return 1
    frame=$(robot probe "$1" 0,0)
    [ "$frame" != "$white" ] || return 1
    for side in "0,0,$width,1" "0,$((height - 1)),$width,1" "0,0,1,$height" \
        "$((width - 1)),0,1,$height"; do
        [ "$(robot extent "$1" "$side" "$frame")" = none ] || return 1
    done
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
    robot popup "$wait_limit_ms" >/dev/null || fail "no menu dropped down after $2$(game_gone)"
}

# open_level1: the shipped game, File, Play; the level window's id in level1 and, in waiting, a
# screenshot of it drawn and waiting for its first click.
open_level1() {
    start_game "$CRATEFALL"
    title=$(shown "$title_caption" title title_drawn)
    open_menu "$title" alt+f
    xdotool key p
    level1=$(shown "$level1_caption" waiting level_waiting 8280)
    waiting="$work/waiting.png"
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

# all_fell SHOT WAITING_SHOT FROM_SHOT BOX...: whether every box is seen lower than in FROM_SHOT.
all_fell() {
    local moved seen
    read -r moved seen < <(boxes_moved_down "$2" "$3" "$1" "${@:4}")
    [ "$seen" -eq $(($# - 3)) ] && [ "$moved" -eq "$seen" ]
}

# await_fall WINDOW NAME WAITING_SHOT FROM_SHOT BOX...: looks at the window until every box is
# seen lower than in FROM_SHOT, however slowly the game ticks; prints "moved of seen" for the
# last look.
await_fall() {
    local file moved seen
    file=$(await_look "$1" "$2" all_fell "$3" "$4" "${@:5}") || file="$work/$2.png"
    read -r moved seen < <(boxes_moved_down "$3" "$4" "$file" "${@:5}")
    echo "$moved of $seen"
}

# all_boxes_seen SHOT WAITING_SHOT BOX...: whether the robot finds every box in the screenshot, each
# down its own column (where a box waits may lie beside it, so a level seen this way has ticked).
all_boxes_seen() {
    local seen
    mapfile -t seen < <(robot boxes "$2" "$1" "${@:3}")
    [ "${#seen[@]}" -eq $(($# - 2)) ] && ! printf '%s\n' "${seen[@]}" | grep -qx -- -
}
