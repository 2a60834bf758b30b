#!/bin/bash
# The built package as a player's machine would take it, without installing it: apt-get resolves
# its dependencies in a simulation, then the game unpacked into a temporary root starts, leaves
# from the title's menu shortcut and ends with status 0. Whether cratefall is installed on this
# machine makes no difference, and no step needs root.
# run_extracted.sh OUTPUT_DIR
set -euo pipefail
output_dir="$1"
package=$(readlink -f "$(echo "$output_dir"/cratefall_*.deb)")
title="Cratefall 1.0 - By Mokram"

work=$(mktemp -d)
game_pid=""
cleanup() {
    if [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null; then
        wait "$game_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# --reinstall: with this version already installed there would be nothing left to resolve. Run
# as root, apt-get logs even a simulation's plan, under /var/log/apt unless told otherwise.
plan=$(apt-get install --simulate --reinstall --no-install-recommends -o Dir::Log="$work" \
    "$package" 2>&1) || {
    echo "apt-get cannot install the package: $plan" >&2
    exit 1
}
echo "$plan"
if grep -q '^Remv ' <<<"$plan"; then
    echo "installing the package would remove other packages" >&2
    exit 1
fi

root="$work/root"
dpkg-deb -x "$package" "$root"

QT_QPA_PLATFORM=xcb "$root/usr/bin/cratefall" >"$work/game.log" 2>&1 &
game_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n 1) || {
    echo "the title window never appeared; the game said:" >&2
    cat "$work/game.log" >&2
    exit 1
}
echo "title window: $window"
xdotool windowactivate --sync "$window"
xdotool windowfocus --sync "$window"
# The game ends on the key press, so the window is gone before xdotool sends the releases and it
# reports that as an error: the game's exit status below is what counts.
xdotool key --window "$window" ctrl+F4 2>/dev/null || true

for _ in $(seq 200); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$game_pid" 2>/dev/null; then
    echo "the game was still running 20 s after Ctrl+F4" >&2
    exit 1
fi
status=0
wait "$game_pid" || status=$?
game_pid=""
if [ "$status" -ne 0 ]; then
    echo "the game ended with status $status; it said:" >&2
    cat "$work/game.log" >&2
    exit 1
fi
echo "the unpacked game started and ended with status 0"
