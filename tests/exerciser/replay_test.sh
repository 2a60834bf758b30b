#!/bin/bash
# A seed replays the same game: two runs of one seed trace the same events, boxes and ends.
# Usage: replay_test.sh [RUNNER...] <cratefall_exerciser>
set -euo pipefail
exerciser=("$@")
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

for run in first second; do
    "${exerciser[@]}" --seed 424242 --events 20000 --trace 2>/dev/null |
        grep -v '^took ' >"$work/$run.log"
done
if ! diff -q "$work/first.log" "$work/second.log" >/dev/null; then
    diff "$work/first.log" "$work/second.log" | head -20
    echo "replay_test: the same seed gave two different games" >&2
    exit 1
fi
# The trace must show a real game, not two identical empty runs.
grep -q 'box "' "$work/first.log"
grep -q 'player hits box' "$work/first.log"
echo "replay_test: $(grep -c '^#' "$work/first.log") trace lines alike"
