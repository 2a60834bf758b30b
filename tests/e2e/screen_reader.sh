#!/bin/bash
# The game as a screen reader finds it on the real accessibility bus: a session bus and the
# accessibility bus of our own, the shipped game with Qt's bridge on, and a small AT-SPI client.
set -euo pipefail
here="$(dirname "${BASH_SOURCE[0]}")"
source "$here/lib.sh"

step "a session bus and an accessibility bus of our own"
start_accessibility_bus

# Qt's bridge otherwise waits for a desktop setting that says a screen reader runs.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_game "${CRATEFALL:?}"

step "the client reads the screens"
/usr/bin/python3 "$here/screen_reader.py" $((deadline_ms - $(now_ms))) ||
    fail "the screen reader did not read what it should"
