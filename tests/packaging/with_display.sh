#!/bin/bash
# Runs a command on an X display of its own, whatever DISPLAY named: Xvfb with openbox (windows are
# activated through the window manager, as on a desktop), stopped by their pids when the command
# ends, however it ends; and off the desktop's session bus.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../dev/lib.sh"

trap 'status=$?; [ "$status" -eq 0 ] || display_logs; stop_display; exit "$status"' EXIT
start_display
no_desktop_session "$display_dir"
"$@"
