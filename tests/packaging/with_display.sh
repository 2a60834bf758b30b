#!/bin/bash
# Runs a command on the X display the test run exported, or else on a private Xvfb with openbox
# (windows are activated through the window manager, as on a desktop), both started here and
# stopped by their pids when the command ends, however it ends.
set -euo pipefail

if [ -n "${DISPLAY:-}" ]; then
    exec "$@"
fi

number=$((200 + $$ % 300))
while [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ]; do
    number=$((number + 1))
done
xvfb_pid=""
openbox_pid=""
stop_display() {
    for pid in $openbox_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
}
trap stop_display EXIT

Xvfb ":${number}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":${number}"
for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb on $DISPLAY did not start" >&2; exit 1; }
openbox >/dev/null 2>&1 &
openbox_pid=$!
sleep 0.5
"$@"
