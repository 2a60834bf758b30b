#!/bin/bash
# Takes the Linux screenshots the browser and Windows tests compare the game with
# (tests/reference/): the title, level 1 waiting for its first click and the pause box P opens
# there, each window's own pixels (its menu bar and client, no frame), from the end-to-end entry of
# a Linux build on a private X server with no window manager. Commit them again when a screen's
# look changes on purpose.
#   linux_references.sh [BUILD_DIR]   (default: build)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../dev/lib.sh"
entry="$(readlink -f "${1:-$repo_root/build}")/tests/e2e/cratefall_e2e_entry"
output="$repo_root/tests/reference"
[ -x "$entry" ] || { echo "no entry at $entry: build the game first" >&2; exit 1; }

trap 'stop_display; remove_private_runtime_dir' EXIT
use_private_runtime_dir
start_display --no-wm
mkdir -p "$output"
# reference SCREEN NAME [KEY BOX]: a screenshot of that screen once its window shows, or of the box
# titled BOX that KEY opens there.
reference() {
    local caption window
    caption=$("$entry" --layout | awk -v screen="$1" '$1 == "window" && $2 == screen {
        $1 = $2 = $3 = $4 = ""; sub(/^ +/, ""); print }')
    QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$entry" "$1" >/dev/null 2>&1 &
    window=$(timeout 30 xdotool search --sync --onlyvisible --name "^$caption\$" | head -n 1)
    if [ $# -gt 2 ]; then
        xdotool windowfocus --sync "$window" key "$3"
        window=$(timeout 30 xdotool search --sync --onlyvisible --name "^$4\$" | head -n 1)
    fi
    sleep 0.5 # drawn once mapped
    import -window "$window" -strip "$output/$2.png"
    kill $!
    wait $! 2>/dev/null || true
}
screens=($("$entry" --layout | awk '$1 == "window" { print $2 }'))
# The title, then level 1 (the screens in the game's order).
reference "${screens[0]}" title
reference "${screens[1]}" level1
reference "${screens[1]}" pause p Cratefall
echo "wrote $output/title.png, $output/level1.png and $output/pause.png"
