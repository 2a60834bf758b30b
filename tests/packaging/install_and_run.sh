#!/bin/bash
# Installs the built package as a player would, starts the installed game, leaves it from the
# title's menu shortcut and removes the package again, even when a step fails.
# install_and_run.sh OUTPUT_DIR
set -euo pipefail
output_dir="$1"
package=$(readlink -f "$(echo "$output_dir"/cratefall_*.deb)")
title="Cratefall 1.0 - By Mokram"
skip_status=77

if [ "$(id -u)" -ne 0 ]; then
    echo "installing a package needs root; skipped" >&2
    exit "$skip_status"
fi
if dpkg-query -W -f='${Status}' cratefall 2>/dev/null | grep -q "install ok installed"; then
    echo "cratefall is already installed on this machine; not touching it" >&2
    exit 1
fi

game_pid=""
installed=no
log=$(mktemp)
cleanup() {
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
        kill "$game_pid" 2>/dev/null || true
        wait "$game_pid" 2>/dev/null || true
    fi
    if [ "$installed" = yes ]; then
        DEBIAN_FRONTEND=noninteractive apt-get remove -y -q cratefall >/dev/null 2>&1 || true
    fi
    rm -f "$log"
}
trap cleanup EXIT

installed=yes
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$package"
test -x /usr/bin/cratefall

QT_QPA_PLATFORM=xcb /usr/bin/cratefall >"$log" 2>&1 &
game_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n 1) || {
    echo "the title window never appeared; the game said:" >&2
    cat "$log" >&2
    exit 1
}
echo "title window: $window"
xdotool windowactivate --sync "$window"
xdotool windowfocus --sync "$window"
# The game ends on the key press, so the window is gone before xdotool sends the releases and it
# reports that as an error: the game's exit status below is what counts.
xdotool key --window "$window" ctrl+F4 2>/dev/null || true

status=0
for _ in $(seq 200); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$game_pid" 2>/dev/null; then
    echo "the game was still running 20 s after Ctrl+F4" >&2
    exit 1
fi
wait "$game_pid" || status=$?
game_pid=""
if [ "$status" -ne 0 ]; then
    echo "the game ended with status $status; it said:" >&2
    cat "$log" >&2
    exit 1
fi
echo "the installed game started and ended with status 0"

DEBIAN_FRONTEND=noninteractive apt-get remove -y -q cratefall
installed=no
if [ -e /usr/bin/cratefall ]; then
    echo "/usr/bin/cratefall is still there after the package was removed" >&2
    exit 1
fi
