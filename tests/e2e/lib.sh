# Shared by the end-to-end tests (sourced): an X server with a window manager, the game started
# and stopped by its pid, windows found by their captions, screenshots and checks.
# shellcheck shell=bash
set -euo pipefail

robot_bin="${CRATEFALL_E2E_ROBOT:?CRATEFALL_E2E_ROBOT names the robot; run the tests through ctest}"
work="$(mktemp -d "${TMPDIR:-/tmp}/cratefall-e2e.XXXXXX")"
started_pids=()

step() {
    echo "--- $*"
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Stops one process this test started: politely, then for good.
stop_pid() {
    local pid="$1"
    kill "$pid" 2>/dev/null || return 0
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

forget_pid() {
    local kept=() pid
    for pid in "${started_pids[@]}"; do
        [ "$pid" = "$1" ] || kept+=("$pid")
    done
    started_pids=("${kept[@]+"${kept[@]}"}")
}

finish() {
    local status=$? index
    trap - EXIT
    for ((index = ${#started_pids[@]} - 1; index >= 0; index--)); do
        stop_pid "${started_pids[index]}"
    done
    if [ "$status" -eq 0 ]; then
        rm -rf "$work"
    else
        [ -f "$work/game.log" ] && sed 's/^/game: /' "$work/game.log" >&2
        echo "screenshots of this run are kept in $work" >&2
    fi
    exit "$status"
}
trap finish EXIT
trap 'exit 130' INT TERM HUP

robot() {
    "$robot_bin" "$@"
}

# Pixels from the layouts' twips, rounded as the game rounds them.
px() {
    echo $((($1 + 7) / 15))
}

window_manager_ready() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# Uses the X server in DISPLAY when it answers; otherwise starts Xvfb and openbox of our own on a
# free display, stopped with everything else when the test ends.
ensure_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        for _ in $(seq 50); do
            window_manager_ready && return 0
            sleep 0.1
        done
        fail "no window manager runs on $DISPLAY"
    fi
    step "starting Xvfb and openbox of our own"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    started_pids+=("$!")
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(head -n 1 "$work/display")"
    openbox >"$work/openbox.log" 2>&1 &
    started_pids+=("$!")
    for _ in $(seq 100); do
        window_manager_ready && return 0
        sleep 0.1
    done
    fail "openbox did not start: $(cat "$work/openbox.log")"
}

# start_game PROGRAM [ARGS...]: the game in the background, its pid in game_pid.
start_game() {
    step "starting $(basename "$1") ${*:2}"
    QT_QPA_PLATFORM=xcb "$@" >>"$work/game.log" 2>&1 &
    game_pid=$!
    started_pids+=("$game_pid")
}

# Waits up to SECONDS for the game to end; its exit status in game_status. Not in a subshell:
# only this shell can wait for its child.
wait_game_end() {
    local tenths=$(($1 * 10))
    while kill -0 "$game_pid" 2>/dev/null && [ "$tenths" -gt 0 ]; do
        sleep 0.1
        tenths=$((tenths - 1))
    done
    kill -0 "$game_pid" 2>/dev/null && fail "the game is still running after $1 s"
    game_status=0
    wait "$game_pid" || game_status=$?
    forget_pid "$game_pid"
}

expect_exit_status() {
    wait_game_end "$2"
    [ "$game_status" -eq "$1" ] || fail "the game ended with status $game_status, not $1"
}

# window CAPTION [TIMEOUT_MS]: the id of the shown window with exactly this caption.
window() {
    robot window "$1" "${2:-10000}" || fail "no window \"$1\" appeared"
}

expect_no_window() {
    if robot window "$1" 0 >/dev/null; then
        fail "the window \"$1\" is still shown"
    fi
}

expect_gone() {
    robot gone "$1" "${3:-5000}" || fail "the window \"$2\" did not go away"
}

# keys WINDOW KEY...: key presses into that window, as xdotool names them (alt+f, Return...).
keys() {
    timeout 10 xdotool windowactivate --sync "$1" >/dev/null 2>&1 ||
        fail "could not give the window $1 the focus"
    xdotool key --delay 60 "${@:2}"
}

# type_text WINDOW TEXT: the text typed into that window, key by key.
type_text() {
    timeout 10 xdotool windowactivate --sync "$1" >/dev/null 2>&1 ||
        fail "could not give the window $1 the focus"
    xdotool type --delay 30 "$2"
}

# shot WINDOW NAME: a screenshot of the window's client pixels; prints its file.
shot() {
    local file="$work/$2.png"
    robot shot "$1" "$file" || fail "no screenshot of the window $1"
    echo "$file"
}

click() {
    robot click "$1" "$2"
}

expect_equal() {
    [ "$1" = "$2" ] || fail "$3: got \"$1\", expected \"$2\""
}
