#!/bin/bash
# Installs what is missing, builds with warnings as errors and runs the whole test suite against
# a real X server, window manager and print spooler.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

install_packages all
build "$repo_root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCRATEFALL_WERROR=ON
trap stop_display EXIT
start_display
ctest --test-dir "$repo_root/build" --output-on-failure --timeout 600
# The sanitizer run gets a display of its own, untouched by the run before it.
stop_display
unset DISPLAY
bash "$repo_root/dev/sanitize.sh"
