# What the end-to-end tests know of the game's screens (from the layouts, in twips turned into
# pixels) and the ways to reach them, with lib.sh. Sourced by every test.
# shellcheck shell=bash
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# The screens' geometry comes from the game's own tables, through the test entry's layout dump.
declare -A design_caption design_client design_control design_fall
while read -r kind screen rest; do
    case "$kind" in
    window)
        read -r width height caption <<<"$rest"
        design_client[$screen]="$width $height"
        design_caption[$screen]="$caption"
        ;;
    control)
        read -r name geometry <<<"$rest"
        design_control[$screen.$name]="$geometry"
        ;;
    fall)
        read -r number geometry <<<"$rest"
        design_fall[$screen.$number]="$geometry"
        ;;
    esac
done < <(QT_QPA_PLATFORM=offscreen "${CRATEFALL_E2E_ENTRY:?}" --layout 2>/dev/null)
[ -n "${design_caption[Form1]:-}" ] || fail "no layout from $CRATEFALL_E2E_ENTRY --layout"

# caption SCREEN
caption() {
    echo "${design_caption[$1]}"
}

# twips SCREEN CONTROL: its designed left, top, width and height.
twips() {
    [ -n "${design_control[$1.$2]:-}" ] || fail "no control $2 on $1"
    echo "${design_control[$1.$2]}"
}

# falls SCREEN NUMBER: the left edge it falls at and its step, in twips.
falls() {
    echo "${design_fall[$1.$2]}"
}

title_caption="$(caption Form1)"
read -r title_client_width title_client_height < <(echo "${design_client[Form1]}")
title_client_width=$(px "$title_client_width")
title_client_height=$(px "$title_client_height")
level1_caption="$(caption Form2)"
white="#ffffff"

# box WAIT_LEFT WAIT_TOP WIDTH HEIGHT FALL_LEFT (twips): the robot's "x,y,w,h@column".
box() {
    echo "$(px "$1"),$(px "$2"),$(px "$3"),$(px "$4")@$(px "$5")"
}

# level_boxes SCREEN: every box of a level, as box() writes it, Image1 first.
level_boxes() {
    local number left top width height fall_left
    for ((number = 1; ; number++)); do
        [ -n "${design_fall[$1.$number]:-}" ] || break
        read -r left top width height < <(twips "$1" "Image$number")
        read -r fall_left _ < <(falls "$1" "$number")
        box "$left" "$top" "$width" "$height" "$fall_left"
    done
}

mapfile -t level1_boxes < <(level_boxes Form2)

# The title's pictures: each strip spans the picture's designed place and its falling place.
title_strips=()
title_steps=()         # twips a tick
title_designed_tops=() # twips, before the first tick
for number in 1 2 3; do
    read -r left top width _ < <(twips Form1 "Image$number")
    read -r fall_left step < <(falls Form1 "$number")
    from=$((left < fall_left ? left : fall_left))
    to=$((left > fall_left ? left : fall_left))
    title_strips+=("$(px "$from"),$(($(px "$to") + $(px "$width") - 1))")
    title_steps+=("$step")
    title_designed_tops+=("$top")
done

# score_top SCREEN: the top of a level's score box, in twips.
score_top() {
    local _left top
    read -r _left top _ < <(twips "$1" Label1)
    echo "$top"
}

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
    robot popup "$(limit_ms)" >/dev/null || fail "no menu dropped down after $2$(game_gone)"
}

# start_title [NAME]: the shipped game; its title window's id in title once it is drawn, the
# screenshot that showed it in $work/NAME.png (title.png).
start_title() {
    start_game "$CRATEFALL"
    title=$(shown "$title_caption" "${1:-title}" title_drawn)
}

# play_level1: File, Play on the title; the level window's id in level1 and, in waiting, a
# screenshot of it drawn and waiting for its first click.
play_level1() {
    open_menu "$title" alt+f
    robot key p
    level1=$(shown "$level1_caption" waiting level_waiting "$(score_top Form2)")
    waiting="$work/waiting.png"
}

open_level1() {
    start_title title
    play_level1
}

# start_level1 [COMMAND ARGS...]: a click on the background of level 1, waiting, and then its
# boxes seen falling. A robot command given runs straight after, in the same run of the robot,
# while the level runs on; the lines it printed are in the array started.
start_level1() {
    local told more=()
    [ $# -eq 0 ] || more=(-- "$@")
    click "$level1" "$(px 3000),$(px 6000)"
    mapfile -t told < <(robot chain fall "$level1" "$waiting" "$(limit_ms)" "$work/running" \
        "${level1_boxes[@]}" "${more[@]}")
    expect_equal "${told[0]:-}" "3 of 3" "boxes falling after the click"
    started=("${told[@]:1}")
}

# play_command WINDOW BOX...: sets play to the robot command that clicks the boxes of the running
# level until a box comes; won_level judges what it printed.
play_command() {
    play=(play "$1" "$waiting" "$(px 900)" "$(limit_ms 60000)" "${@:2}")
}

# won_level LOSS_TITLE PLAYED: the robot's play (it printed PLAYED) ended with a box, the win's
# ("Cratefall") and not the loss's; Enter closes it.
won_level() {
    local ending clicks win
    read -r ending clicks <<<"$2"
    echo "robot: ${ending:-nothing} after ${clicks:-no} clicks"
    expect_equal "$ending" new-window "how the robot's game ended"
    win=$(window Cratefall)
    expect_no_window "$1"
    keys "$win" Return
    expect_gone "$win" Cratefall
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

# await_fall WINDOW NAME WAITING_SHOT BOX...: looks at the running level until it sees every box,
# then until it sees every one lower down, however slowly the game ticks; prints "moved of seen"
# for the last look ($work/NAME-to.png, the first $work/NAME-from.png). The robot looks in one
# run of its own: a program started for each look could, on a loaded machine, let the level run
# on to its loss in between.
await_fall() {
    robot fall "$1" "$3" "$(limit_ms)" "$work/$2" "${@:4}"
}
