#!/bin/bash
# The browser release against the bench's bare Qt window built for the browser the same way, side
# by side in one run of this machine's headless Chromium (bench/web.py): the page's size, the time
# to the title, the memory and CPU of the title, of the last level played and of the bare window.
#   bench/web.sh   CRATEFALL_WEB_BUILD (build-web) picks the build folder
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../dev/web/lib.sh"
build_dir="${CRATEFALL_WEB_BUILD:-$repo_root/build-web}"

CRATEFALL_WEB_TESTS=ON CRATEFALL_WEB_BENCH=ON bash "$repo_root/dev/web.sh"
install_listed "$web_dir/test_packages.txt"
release=$(find "$build_dir/release" -mindepth 1 -maxdepth 1 -type d -name 'cratefall-*-web')
held_dir cratefall-web-bench
mkdir -p "$held/site"
cp -r "$release"/. "$build_dir"/tests/web/cratefall_e2e_entry.{js,wasm} \
    "$build_dir"/bench/cratefall_reference.{js,wasm} "$held/site/"
status=0
/usr/bin/python3 "$repo_root/bench/web.py" "$release" "$held/site" "$held/scratch" || status=$?
pkill -KILL -f -- "--user-data-dir=$held/" || true
rm -rf "$held"
exit "$status"
