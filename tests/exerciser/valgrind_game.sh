#!/bin/bash
# Plays the scripted game under memcheck: no invalid access and no definite leak.
# Usage: valgrind_game.sh <scripted_game>
set -euo pipefail
game="$1"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT

status=0
valgrind --tool=memcheck --leak-check=full --errors-for-leak-kinds=definite \
    --show-leak-kinds=definite --error-exitcode=1 --num-callers=30 \
    --log-file="$log" "$game" || status=$?
if [ "$status" -ne 0 ]; then
    cat "$log"
    echo "valgrind_game: memcheck or the scripted game failed (status $status)" >&2
    exit "$status"
fi
grep -E "ERROR SUMMARY|definitely lost" "$log" || true
