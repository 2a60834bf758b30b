#!/bin/bash
# Takes the screenshots the README and the AppStream metadata show: the title screen and level
# one under way, from the built game on a private X server.
# screenshots.sh [GAME_BINARY [OUTPUT_DIR]]   (defaults: build/src/cratefall, packaging/screenshots)
set -euo pipefail
repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
game="$(readlink -f "${1:-$repo_root/build/src/cratefall}")"
output_dir="${2:-$repo_root/packaging/screenshots}"
title_caption="Cratefall 1.0 - By Mokram"
level_caption="Cratefall - Level 1"

[ -x "$game" ] || { echo "no game at $game: build it first" >&2; exit 1; }
mkdir -p "$output_dir"

xvfb_pid=""
game_pid=""
stop_all() {
    for pid in $game_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
}
trap stop_all EXIT

number=$((300 + $$ % 300))
while [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ]; do
    number=$((number + 1))
done
Xvfb ":${number}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":${number}"
for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

# No window manager: the captures are the windows' own contents, without a desktop's frame.
QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$game" >/dev/null 2>&1 &
game_pid=$!

find_window() {
    timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1
}

title=$(find_window "$title_caption")
sleep 0.6 # let the pictures fall a little way
import -window "$title" -strip "$output_dir/title.png"

xdotool windowfocus --sync "$title"
xdotool key alt+f
sleep 0.3
xdotool key p
level=$(find_window "$level_caption")
eval "$(xdotool getwindowgeometry --shell "$level")"
xdotool mousemove --window "$level" $((WIDTH / 2)) $((HEIGHT - 20)) click 1
sleep 1.2 # the boxes on their way down
import -window "$level" -strip "$output_dir/level1.png"
echo "wrote $output_dir/title.png and $output_dir/level1.png"
