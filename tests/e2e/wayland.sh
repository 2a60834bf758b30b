#!/bin/bash
# The shipped game on Wayland, as a player on a Wayland desktop has it: weston runs nested in the
# test's X server, the game is a native Wayland client of it (no X display in its environment),
# and the mouse and keys reach it through XTEST into weston's window. The title, File > Play, the
# click that starts level 1, a click on a box that scores, P and its box (over the level it
# belongs to, whichever window is active) closed by Enter, the loss, and Ctrl+F4 ending the
# program with status 0; then the run-time error of printing with no printer ending it with 1.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/screens.sh"

step "starting weston in the X server"
socket=cratefall-wayland
# --debug offers the scene graph, where windows are found by their captions.
setpriv --pdeathsig TERM weston --backend=x11-backend.so --width=1024 --height=768 \
    --socket="$socket" --idle-time=0 --debug >"$work/weston.log" 2>&1 &
started_pids+=("$!")
compositor=$(timeout 30 xdotool search --sync --onlyvisible --class '^Weston Compositor$' |
    head -n 1) || fail "weston's window did not appear: $(cat "$work/weston.log")"
# Weston moves its pointer by the X pointer's steps, and learns where it is only when the X pointer
# enters its window: the pointer goes out, so that the first click comes in from outside.
xdotool mousemove 1279 1023

# scene_rect CAPTION: the opaque part of the shown Wayland window with this caption in weston's
# output (its client area, without the decoration Qt draws round a framed one), as x,y,w,h.
scene_rect() {
    local line found=0 rect='\(([0-9]+), ([0-9]+)\) -> \(([0-9]+), ([0-9]+)\)' whole="" r
    while IFS= read -r line; do
        if [[ "$line" == *"top-level window '$1'"* ]]; then
            found=1
        elif [ "$found" = 0 ]; then
            continue
        elif [[ "$line" =~ View\ [0-9]+\ \( ]]; then
            return 0
        elif [[ "$line" =~ position:\ $rect ]]; then
            r=("${BASH_REMATCH[@]}")
            whole="${r[1]},${r[2]},$((r[3] - r[1])),$((r[4] - r[2]))"
        elif [[ "$line" == *"[fully opaque]"* ]]; then
            echo "$whole"
            return 0
        elif [[ "$line" =~ opaque:\ $rect ]]; then
            r=("${BASH_REMATCH[@]}")
            echo "${r[1]},${r[2]},$((r[3] - r[1])),$((r[4] - r[2]))"
            return 0
        fi
    done < <(WAYLAND_DISPLAY="$socket" timeout 10 weston-debug scene-graph 2>/dev/null)
}

# wl_window CAPTION [TIMEOUT_MS]: the window as the robot takes it: weston's X window, narrowed
# to that Wayland window's client area.
wl_window() {
    local deadline rect
    deadline=$(($(now_ms) + $(limit_ms "${2:-}")))
    while :; do
        rect=$(scene_rect "$1")
        [ -n "$rect" ] && echo "$compositor:$rect" && return 0
        [ "$(now_ms)" -lt "$deadline" ] || fail "no Wayland window \"$1\" appeared$(game_gone)"
        sleep 0.1
    done
}

no_window() {
    [ -z "$(scene_rect "$1")" ]
}

popup_shown() {
    WAYLAND_DISPLAY="$socket" timeout 10 weston-debug scene-graph 2>/dev/null |
        grep -q "role xdg_popup"
}

wl_gone() {
    until_within "the Wayland window \"$1\" did not go away" no_window "$1"
}

# wl_shown CAPTION NAME CHECK [ARGS...]: as shown, for a Wayland window.
wl_shown() {
    local target
    target=$(wl_window "$1")
    await_look "$target" "$2" "$3" "${@:4}" >/dev/null ||
        fail "the window \"$1\" never showed what $3 looks for$(game_gone)"
    echo "$target"
}

# wl_owner CAPTION: the caption of the window that the game's latest window with this caption
# belongs to (its xdg_toplevel parent), from the game's own log of the Wayland requests it made
# (objects are written xdg_toplevel@N, or xdg_toplevel#N by newer libwayland).
wl_owner() {
    local line id parent owner="" re_title='xdg_toplevel[@#]([0-9]+)\.set_title\("(.*)"\)'
    local re_parent='xdg_toplevel[@#]([0-9]+)\.set_parent\((xdg_toplevel[@#]([0-9]+)|nil)\)'
    local -A titles=() parents=()
    while IFS= read -r line; do
        if [[ "$line" =~ $re_title ]]; then
            titles[${BASH_REMATCH[1]}]="${BASH_REMATCH[2]}"
            id=${BASH_REMATCH[1]}
            [ "${BASH_REMATCH[2]}" = "$1" ] && owner="${parents[$id]:-}"
        elif [[ "$line" =~ $re_parent ]]; then
            id=${BASH_REMATCH[1]}
            parent=${BASH_REMATCH[3]}
            parents[$id]="${parent:+${titles[$parent]:-}}"
            [ "${titles[$id]:-}" = "$1" ] && owner="${parents[$id]}"
        fi
    done < <(grep -a 'xdg_toplevel[@#]' "$work/game.log")
    echo "${owner:-none}"
}

step "the title screen, natively on Wayland"
# WAYLAND_DEBUG: the game logs the requests it sends, which tell whose window a box is.
env -u DISPLAY WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client \
    "$CRATEFALL" >>"$work/game.log" 2>&1 &
game_pid=$!
started_pids+=("$game_pid")
focus "$compositor"
title=$(wl_shown "$title_caption" title title_drawn)

step "File > Play opens level 1, its client area as designed"
click "$title" 15,10
until_within "no menu dropped down" popup_shown
robot key p
level1=$(wl_shown "$level1_caption" waiting level_waiting "$(level_screen 1)")
waiting="$work/waiting.png"
IFS=, read -r _ _ width height <<<"${level1#*:}"
expect_equal "$width $height" "$(client_px "$(level_screen 1)")" "level 1's client area"
wl_gone "$title_caption"

step "a click starts the level; a click on a box sends it up and scores"
start_level1 await-box "$level1" "$waiting" "$(px 1500)" "$(px 6000)" "$(limit_ms 10000)" \
    "$work/aimed" aim "${level1_boxes[@]}"
[ "${#started[@]}" -ge 1 ] || fail "never saw a box low enough to click"
read -r number top _ _ fate <<<"${started[0]}"
echo "box $number at $top, clicked: $fate"
expect_equal "$fate" answered "what became of the click on box $number"
[ "$(robot differ "$work/aimed-seen.png" "$work/aimed-answer.png" \
    "$(rect_px "$(level_screen 1)" Label1)")" -gt 0 ] ||
    fail "the score did not change"

step "P pauses; Enter closes the box"
robot key p
wl_window Cratefall >/dev/null
expect_equal "$(wl_owner Cratefall)" "$level1_caption" "the window the pause box belongs to"
robot key Return
wl_gone Cratefall

step "another program is active when level 1 is lost: the loss box belongs to the level still"
env -u DISPLAY WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland "$CRATEFALL_E2E_ENTRY" "$how_to_play_screen" \
    >"$work/other.log" 2>&1 &
other_pid=$!
started_pids+=("$other_pid")
wl_window "How to play" >/dev/null
loss=$(wl_window Tilefall 60000)
expect_equal "$(wl_owner Tilefall)" "$level1_caption" "the window the loss box belongs to"
# Done with the other program, which may lie over the game's windows; the player clicks the box
# to answer it, the keyboard being where the other program left it.
stop_pid "$other_pid"
forget_pid "$other_pid"
click "$loss" 2,2
robot key Return
wl_gone Tilefall

step "the title is back; a click on it and Ctrl+F4 end the program with status 0"
title=$(wl_shown "$title_caption" title-again title_drawn)
IFS=, read -r _ _ width height <<<"${title#*:}"
# The player clicks the title, so the keys go to it whichever window weston last activated. The
# program must end too, not only its windows: Qt's Wayland client may hang in its teardown.
click "$title" "$((width - 5)),$((height - 5))"
robot key ctrl+F4
expect_exit_status 0 30

step "with no printer, printing the certificate is a run-time error: its box, then status 1"
env -u DISPLAY WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland "$CRATEFALL_E2E_ENTRY" "$victory_screen" \
    >>"$work/game.log" 2>&1 &
game_pid=$!
started_pids+=("$game_pid")
click "$(wl_window "$(caption "$victory_screen")")" "$(centre_px "$victory_screen" Command2)"
error=$(wl_window Cratefall)
click "$error" 2,2
robot key Return
expect_exit_status 1 30
if grep -v '^\[' "$work/game.log" | grep .; then
    fail "the game wrote the lines above on Wayland"
fi
exit 0
