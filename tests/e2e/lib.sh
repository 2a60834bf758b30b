# Shared by the end-to-end tests (sourced): an X server with a window manager of the test's own,
# the game started and stopped by its pid, windows found by their captions, screenshots and checks.
# shellcheck shell=bash
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../dev/lib.sh"

robot_bin="${CRATEFALL_E2E_ROBOT:?CRATEFALL_E2E_ROBOT names the robot; run the tests through ctest}"
held_dir cratefall-e2e
work="$held"
started_pids=()
# Folders outside $work that what the test started makes, removed once it has been stopped.
made_dirs=()

now_ms() {
    local now="${EPOCHREALTIME/./}"
    echo $((now / 1000))
}

# Every wait ends in time for the test to fail with its reason and stop what it started before
# ctest would kill it, at the limit it gives the test (CRATEFALL_E2E_TIMEOUT, in seconds).
deadline_ms=$(($(now_ms) + (${CRATEFALL_E2E_TIMEOUT:?run the tests through ctest} - 15) * 1000))

step() {
    echo "--- $*"
}

fail() {
    [ "$(now_ms)" -lt "$deadline_ms" ] || set -- "$* (at the end of the test's time)"
    echo "FAIL: $*" >&2
    exit 1
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
    rm -rf "${made_dirs[@]+"${made_dirs[@]}"}"
    [ "$status" -eq 0 ] || display_logs
    stop_display
    if [ "$status" -eq 0 ]; then
        rm -rf "$work"
    else
        [ -f "$work/game.log" ] && sed 's/^/game: /' "$work/game.log" >&2
        # Kept: no later run takes it for a killed run's leftovers.
        rm -f "$work/held"
        echo "screenshots of this run are kept in $work" >&2
    fi
    exit "$status"
}
trap finish EXIT
trap 'exit 130' INT TERM HUP

# The test's own X server and window manager, whatever DISPLAY named, and no session bus: nothing
# the test does reaches the desktop it was started from. (The print spooler is kept away by
# CUPS_SERVER, which ctest sets.)
step "starting Xvfb and openbox of our own"
start_display
no_desktop_session "$work"

robot() {
    "$robot_bin" "$@"
}

# start_accessibility_bus: a session bus and an accessibility bus of the test's own, for a screen
# reader and the game; their sockets and caches stay in the test's folder, and both end with the
# test even when it is killed before its trap can run.
start_accessibility_bus() {
    export XDG_CACHE_HOME="$work/cache"
    setpriv --pdeathsig TERM dbus-daemon --session --nofork --nopidfile --print-address=3 \
        3>"$work/bus" >"$work/dbus.log" 2>&1 &
    started_pids+=("$!")
    DBUS_SESSION_BUS_ADDRESS=$(first_line "$work/bus") ||
        fail "the session bus did not start: $(cat "$work/dbus.log")"
    export DBUS_SESSION_BUS_ADDRESS
    # Started here rather than by bus activation, so the test can stop it by its pid; it ends the
    # accessibility bus and registry it started.
    setpriv --pdeathsig TERM /usr/libexec/at-spi-bus-launcher --launch-immediately \
        >"$work/atspi.log" 2>&1 &
    started_pids+=("$!")
    await_service "the accessibility bus" 30 "${started_pids[-1]}" "$work/atspi.log" \
        accessibility_bus_answers || fail "the accessibility bus did not start"
}

# Asked without activating it: a launcher started by the bus would be one the test cannot stop.
accessibility_bus_answers() {
    [[ "$(dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus)" == *'boolean true'* ]] &&
        [[ "$(dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress)" == *unix:* ]]
}

# Pixels from the layouts' twips, rounded as the game rounds them.
px() {
    echo $((($1 + 7) / 15))
}

# start_game PROGRAM [ARGS...]: the game in the background, its pid in game_pid.
start_game() {
    step "starting $(basename "$1") ${*:2}"
    QT_QPA_PLATFORM=xcb setpriv --pdeathsig TERM "$@" >>"$work/game.log" 2>&1 &
    game_pid=$!
    started_pids+=("$game_pid")
}

# expect_exit_status STATUS SECONDS: waits that long for the game to end with that status. Not in
# a subshell: only this shell can wait for its child.
expect_exit_status() {
    local until=$(($(now_ms) + $(limit_ms $(($2 * 1000))))) status=0
    while kill -0 "$game_pid" 2>/dev/null && [ "$(now_ms)" -lt "$until" ]; do
        sleep 0.1
    done
    kill -0 "$game_pid" 2>/dev/null && fail "the game is still running after $2 s"
    wait "$game_pid" || status=$?
    forget_pid "$game_pid"
    [ "$status" -eq "$1" ] || fail "the game ended with status $status, not $1"
}

# Every wait below is for something the screen shows, never for a time: a sanitizer build on a
# loaded machine may be several times slower. The limits only end a wait that would never end.
wait_limit_ms=30000

# limit_ms [MS]: how long a wait may last: MS (wait_limit_ms unless given), or less when the
# test's own time runs out sooner.
limit_ms() {
    local most="${1:-$wait_limit_ms}" left=$((deadline_ms - $(now_ms)))
    echo $((left < 0 ? 0 : left < most ? left : most))
}

# Why a wait failed, when the reason is that the game is no longer there.
game_gone() {
    if [ -n "${game_pid:-}" ] && ! kill -0 "$game_pid" 2>/dev/null; then
        echo " (the game has ended)"
    fi
}

# until_within WHY COMMAND...: runs the command until it succeeds; fails saying why after the
# wait limit.
until_within() {
    local deadline
    deadline=$(($(now_ms) + $(limit_ms)))
    until "${@:2}"; do
        [ "$(now_ms)" -lt "$deadline" ] || fail "$1$(game_gone)"
        sleep 0.1
    done
}

# window CAPTION [TIMEOUT_MS]: the id of the shown window with exactly this caption.
window() {
    robot window "$1" "$(limit_ms "${2:-}")" || fail "no window \"$1\" appeared$(game_gone)"
}

expect_no_window() {
    if robot window "$1" 0 >/dev/null; then
        fail "the window \"$1\" is still shown"
    fi
}

expect_gone() {
    robot gone "$1" "$(limit_ms "${3:-}")" || fail "the window \"$2\" did not go away"
}

# focus WINDOW: asks for the window to be activated and waits until keys typed reach it.
focus() {
    robot focus "$1" "$(limit_ms)" || fail "could not give the window $1 the focus$(game_gone)"
}

# keys WINDOW KEY...: key presses into that window, named as xdotool names them (alt+f, Return...).
keys() {
    focus "$1"
    robot key "${@:2}"
}

# type_text WINDOW TEXT: the text typed into that window, key by key.
type_text() {
    focus "$1"
    xdotool type --delay 30 "$2"
}

# shot WINDOW NAME: a screenshot of the window's client pixels; prints its file.
shot() {
    local file="$work/$2.png"
    robot shot "$1" "$file" || fail "no screenshot of the window $1$(game_gone)"
    echo "$file"
}

# image_size FILE: a screenshot's width and height.
image_size() {
    robot size "$1"
}

# look_holds WINDOW NAME CHECK [ARGS...]: a screenshot of the window as $work/NAME.png, and whether
# CHECK FILE ARGS... holds for it; a look that fails is kept as $previous_look. Status 2: no
# screenshot.
look_holds() {
    local file="$work/$2.png"
    robot shot "$1" "$file" || return 2
    "$3" "$file" "${@:4}" && return 0
    previous_look="$work/$2.before.png"
    mv "$file" "$previous_look"
    return 1
}

# await_look WINDOW NAME CHECK [ARGS...]: screenshots of the window until CHECK FILE ARGS... holds
# for one; prints that file. Times out (status 1) keeping the last one. CHECK may compare with the
# look before, $previous_look (empty at first).
await_look() {
    local deadline status
    deadline=$(($(now_ms) + $(limit_ms)))
    previous_look=""
    while :; do
        status=0
        look_holds "$@" || status=$?
        [ "$status" -ne 2 ] || fail "no screenshot of the window $1$(game_gone)"
        [ "$status" -ne 0 ] || { echo "$work/$2.png" && return 0; }
        [ "$(now_ms)" -lt "$deadline" ] || return 1
    done
}

# shown CAPTION NAME CHECK [ARGS...]: waits for a window with this caption that shows what CHECK
# looks for (see await_look) and prints its id; the screenshot is $work/NAME.png. The window is
# sought anew at every look: a window that goes before it was ever drawn is not the one meant.
shown() {
    local deadline id
    deadline=$(($(now_ms) + $(limit_ms)))
    previous_look=""
    until id=$(robot window "$1" $((deadline - $(now_ms)))) && look_holds "$id" "${@:2}"; do
        [ "$(now_ms)" -lt "$deadline" ] ||
            fail "the window \"$1\" never showed what $3 looks for$(game_gone)"
    done
    echo "$id"
}

# A look that is the same as the one before: nothing is being drawn or moving.
still() {
    [ -n "$previous_look" ] && [ "$(robot differ "$previous_look" "$1")" = 0 ]
}

click() {
    robot click "$1" "$2"
}

expect_equal() {
    [ "$1" = "$2" ] || fail "$3: got \"$1\", expected \"$2\""
}
