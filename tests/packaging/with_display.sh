#!/bin/bash
# Runs a command on the X display the test run exported, or else on a private Xvfb with openbox
# (windows are activated through the window manager, as on a desktop), both started here and
# stopped by their pids when the command ends, however it ends.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../dev/lib.sh"

if [ -n "${DISPLAY:-}" ]; then
    exec "$@"
fi
trap stop_display EXIT
start_display
"$@"
