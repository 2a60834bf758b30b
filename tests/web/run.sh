#!/bin/bash
# The browser tests: the release folder and the end-to-end entry built beside it, served from
# 127.0.0.1 and played in this machine's Chromium, Firefox ESR and WebKitGTK (play.py), each of
# the test's own; WebKitGTK on an X display of the test's own. Run by dev/web.sh --test.
#   run.sh BUILD_DIR
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../dev/lib.sh"
build_dir="$1"
release=$(find "$build_dir/release" -mindepth 1 -maxdepth 1 -type d -name 'cratefall-*-web')
[ -d "$release" ] || { echo "no browser release in $build_dir/release" >&2; exit 1; }

held_dir cratefall-web
work="$held"
mkdir -p "$work/site"
cp -r "$release"/. "$build_dir"/tests/web/cratefall_e2e_entry.{js,wasm} "$work/site/"
browser_session "$work"
status=0
/usr/bin/python3 "$repo_root/tests/web/play.py" "$work/site" "$work/shots" \
    "$repo_root/tests/reference" || status=$?
# Whatever of the test's browsers a failure left running: they are known by their profile folder.
pkill -KILL -f -- "$work/" || true
stop_display
if [ "$status" -eq 0 ]; then
    rm -rf "$work"
else
    echo "The screenshots, the browsers' and the drivers' logs are in $work/shots" >&2
    exit 1
fi
