#!/bin/bash
# Takes the Linux screenshots the browser tests compare the page with (tests/web/reference/): the
# title and level 1 waiting for its first click, each window's own pixels (its menu bar and client,
# no frame), from the end-to-end entry of a Linux build on a private X server with no window
# manager. Commit them again when a screen's look changes on purpose.
#   linux_references.sh [BUILD_DIR]   (default: build)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../dev/lib.sh"
entry="$(readlink -f "${1:-$repo_root/build}")/tests/e2e/cratefall_e2e_entry"
output="$repo_root/tests/web/reference"
[ -x "$entry" ] || { echo "no entry at $entry: build the game first" >&2; exit 1; }

trap 'stop_display; remove_private_runtime_dir' EXIT
use_private_runtime_dir
start_display --no-wm
mkdir -p "$output"
# reference SCREEN NAME: a screenshot of that screen, once its window shows.
reference() {
    local caption window
    caption=$("$entry" --layout | awk -v screen="$1" '$1 == "window" && $2 == screen {
        $1 = $2 = $3 = $4 = ""; sub(/^ +/, ""); print }')
    QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$entry" "$1" >/dev/null 2>&1 &
    window=$(timeout 30 xdotool search --sync --onlyvisible --name "^$caption\$" | head -n 1)
    sleep 0.5 # drawn once mapped
    import -window "$window" -strip "$output/$2.png"
    kill $!
    wait $! 2>/dev/null || true
}
screens=($("$entry" --layout | awk '$1 == "window" { print $2 }'))
# The title, then level 1 (the screens in the game's order).
reference "${screens[0]}" title
reference "${screens[1]}" level1
echo "wrote $output/title.png and $output/level1.png"
