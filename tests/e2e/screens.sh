# What the end-to-end tests know of the game's screens (from the layouts, in twips turned into
# pixels) and the ways to reach them, with lib.sh. Sourced by every test.
# shellcheck shell=bash
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# The screens' geometry comes from the game's own tables, through the test entry's layout dump,
# which lists the screens in the game's order: the title, the levels, the victory, how to play
# and about.
declare -A design_caption design_client design_control design_fall
screen_order=()
while read -r kind screen rest; do
    case "$kind" in
    window)
        screen_order+=("$screen")
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
[ "${#screen_order[@]}" -gt 4 ] || fail "no layout from $CRATEFALL_E2E_ENTRY --layout"
title_screen=${screen_order[0]}
victory_screen=${screen_order[-3]}
how_to_play_screen=${screen_order[-2]}

# level_screen N: level N's screen.
level_screen() {
    [ "$1" -ge 1 ] && [ "$1" -le $((${#screen_order[@]} - 4)) ] || fail "no level $1"
    echo "${screen_order[$1]}"
}

# caption SCREEN
caption() {
    echo "${design_caption[$1]}"
}

# twips SCREEN CONTROL: its designed left, top, width and height.
twips() {
    [ -n "${design_control[$1.$2]:-}" ] || fail "no control $2 on $1"
    echo "${design_control[$1.$2]}"
}

# rect_px SCREEN CONTROL: its place in pixels, as the robot takes a rectangle (x,y,w,h).
rect_px() {
    local left top width height
    read -r left top width height < <(twips "$1" "$2")
    echo "$(px "$left"),$(px "$top"),$(px "$width"),$(px "$height")"
}

# centre_px SCREEN CONTROL: its middle in pixels (x,y).
centre_px() {
    local left top width height
    read -r left top width height < <(twips "$1" "$2")
    echo "$(px $((left + width / 2))),$(px $((top + height / 2)))"
}

# client_px SCREEN: the width and height of its client area in pixels.
client_px() {
    local width height
    read -r width height <<<"${design_client[$1]}"
    echo "$(px "$width") $(px "$height")"
}

title_caption="$(caption "$title_screen")"
read -r title_client_width title_client_height < <(client_px "$title_screen")
level1_caption="$(caption "$(level_screen 1)")"
white="#ffffff"

# level_boxes SCREEN: every box of a level as the robot takes it, "x,y,w,h@column" where it waits
# and the left edge of its column, Image1 first.
level_boxes() {
    local number fall_left
    for ((number = 1; ; number++)); do
        [ -n "${design_fall[$1.$number]:-}" ] || break
        read -r fall_left _ <<<"${design_fall[$1.$number]}"
        echo "$(rect_px "$1" "Image$number")@$(px "$fall_left")"
    done
}

mapfile -t level1_boxes < <(level_boxes "$(level_screen 1)")

# The title's pictures: each strip spans the picture's designed place and its falling place.
title_strips=()
title_steps=()         # twips a tick
title_designed_tops=() # twips, before the first tick
for number in 1 2 3; do
    read -r left top width _ < <(twips "$title_screen" "Image$number")
    read -r fall_left step <<<"${design_fall[$title_screen.$number]}"
    from=$((left < fall_left ? left : fall_left))
    to=$((left > fall_left ? left : fall_left))
    title_strips+=("$(px "$from"),$(($(px "$to") + $(px "$width") - 1))")
    title_steps+=("$step")
    title_designed_tops+=("$top")
done

# title_picture_tops SHOT MENU_HEIGHT: the first row of each picture in the client area ("-" for a
# picture out of sight), one line each.
title_picture_tops() {
    local row
    for row in $(robot first-ink "$1" "$2" "$white" "${title_strips[@]}"); do
        if [ "$row" = - ]; then echo -; else echo $((row - $2)); fi
    done
}

# title_menu_height SHOT: the menu bar's height in a screenshot that title_drawn took for the
# title: the client area lies right below it.
title_menu_height() {
    local height
    read -r _ height < <(image_size "$1")
    echo $((height - title_client_height))
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

# level_waiting SHOT SCREEN: whether a screenshot shows that level's window drawn and waiting for
# its first click: its score box in its dark green, and nothing changed since the look before.
level_waiting() {
    local score_top
    read -r _ score_top _ < <(twips "$2" Label1)
    [ "$(robot probe "$1" "$(px 15),$(($(px "$score_top") + 2))")" = "#004000" ] && still "$1"
}

# level_shown SCREEN NAME: waits for that level's window, drawn and waiting for its first click,
# and prints its id; the screenshot is $work/NAME.png.
level_shown() {
    shown "$(caption "$1")" "$2" level_waiting "$1"
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

# start_title [NAME]: the shipped game; its title window's id in title once it is drawn, the
# screenshot that showed it in $work/NAME.png (title.png).
start_title() {
    start_game "$CRATEFALL"
    title=$(shown "$title_caption" "${1:-title}" title_drawn)
}

# play_level1: File, Play on the title; the level window's id in level1 and, in waiting, a
# screenshot of it drawn and waiting for its first click.
play_level1() {
    keys "$title" alt+f
    robot popup "$(limit_ms)" >/dev/null || fail "no menu dropped down after Alt+F$(game_gone)"
    robot key p
    level1=$(level_shown "$(level_screen 1)" waiting)
    waiting="$work/waiting.png"
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
    expect_no_window "$1"
    win=$(window Cratefall)
    keys "$win" Return
    expect_gone "$win" Cratefall
}
