#!/bin/bash
# The browser release against the bench's bare Qt window built for the browser the same way, side
# by side in one run, in this machine's Chromium, Firefox ESR and WebKitGTK, each of the run's own
# (bench/web.py): the page's size, the time to the title, the memory and CPU of the title, of the
# last level played and of the bare window.
#   bench/web.sh   CRATEFALL_WEB_BUILD (build-web) picks the build folder
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../dev/web/lib.sh"
build_dir="${CRATEFALL_WEB_BUILD:-$repo_root/build-web}"

CRATEFALL_WEB_TESTS=ON CRATEFALL_WEB_BENCH=ON bash "$repo_root/dev/web.sh"
install_listed "$web_dir/test_packages.txt"
release=$(find "$build_dir/release" -mindepth 1 -maxdepth 1 -type d -name 'cratefall-*-web')
held_dir cratefall-web-bench
work="$held"
mkdir -p "$work/site"
cp -r "$release"/. "$build_dir"/tests/web/cratefall_e2e_entry.{js,wasm} \
    "$build_dir"/bench/cratefall_reference.{js,wasm} "$work/site/"
browser_session "$work"
status=0
/usr/bin/python3 "$repo_root/bench/web.py" "$release" "$work/site" "$work/scratch" || status=$?
# Whatever of the run's browsers a failure left running: they are known by their profile folder.
pkill -KILL -f -- "$work/" || true
stop_display
rm -rf "$work"
exit "$status"
