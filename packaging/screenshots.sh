#!/bin/bash
# Takes the screenshots the README and the AppStream metadata show: the title screen and level
# one under way, from the built game on a private X server.
# screenshots.sh [GAME_BINARY [OUTPUT_DIR]]   (defaults: build/src/cratefall, packaging/screenshots)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../dev/lib.sh"
game="$(readlink -f "${1:-$repo_root/build/src/cratefall}")"
output_dir="${2:-$repo_root/packaging/screenshots}"
title_caption="Cratefall 1.0 - By Mokram"
level_caption="Cratefall - Level 1"

[ -x "$game" ] || { echo "no game at $game: build it first" >&2; exit 1; }
mkdir -p "$output_dir"

game_pid=""
stop_all() {
    if [ -n "$game_pid" ]; then
        kill "$game_pid" 2>/dev/null || true
        wait "$game_pid" 2>/dev/null || true
    fi
    stop_display
}
trap stop_all EXIT
start_display --no-wm

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
