#!/bin/bash
# Starts the game with the command given on the X display in DISPLAY, waits for its title window,
# leaves with the title's Ctrl+F4 and checks that the game ended with status 0.
# start_and_leave.sh [--wait SECONDS] COMMAND...
# --wait: how long the title window may take to appear (default 30 s; a command that builds the
# game first needs far longer). CRATEFALL_E2E_ROBOT, when set, names the robot that presses the
# keys (see tests/e2e); else xdotool does.
set -euo pipefail
wait_limit=30
if [ "$1" = --wait ]; then
    wait_limit="$2"
    shift 2
fi
title="Cratefall 1.0 - By Mokram"
source "$(dirname "${BASH_SOURCE[0]}")/../../dev/lib.sh"

held_dir cratefall-start
scratch="$held"
log="$scratch/game.log"
game_pid=""
cleanup() {
    [ -z "$game_pid" ] || stop_pid "$game_pid"
    rm -rf "$scratch"
}
trap cleanup EXIT

"$@" >"$log" 2>&1 &
game_pid=$!
window=""
until=$((SECONDS + wait_limit))
while [ "$SECONDS" -lt "$until" ]; do
    window=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1) || true
    [ -n "$window" ] || ! kill -0 "$game_pid" 2>/dev/null && break
    sleep 0.2
done
if [ -z "$window" ]; then
    kill -0 "$game_pid" 2>/dev/null && echo "the title window did not appear within $wait_limit s" >&2 ||
        echo "the game ended before its title window appeared" >&2
    echo "it said:" >&2
    cat "$log" >&2
    exit 1
fi
echo "title window: $window"
timeout 10 xdotool windowactivate --sync "$window" &&
    timeout 10 xdotool windowfocus --sync "$window" ||
    { echo "the title window did not take the focus within 10 s" >&2; exit 1; }
if [ -n "${CRATEFALL_E2E_ROBOT:-}" ]; then
    # The test suite's robot presses keys by their keycodes: on newer keymaps xdotool reaches F4
    # with Alt held, and Ctrl+Alt+F4 switches consoles.
    "$CRATEFALL_E2E_ROBOT" key ctrl+F4
else
    # The game ends on the press, before xdotool would send the releases; they are sent apart,
    # or the keys would stay down and repeat into the next program on this display.
    timeout 10 xdotool keydown --window "$window" ctrl+F4 2>/dev/null || true
    timeout 10 xdotool keyup ctrl+F4 2>/dev/null || true
fi

if ! timeout 20 tail --pid="$game_pid" -s 0.1 -f /dev/null; then
    echo "the game was still running 20 s after Ctrl+F4" >&2
    exit 1
fi
status=0
wait "$game_pid" || status=$?
game_pid=""
if [ "$status" -ne 0 ]; then
    echo "the game ended with status $status; it said:" >&2
    cat "$log" >&2
    exit 1
fi
echo "the game started and ended with status 0"
