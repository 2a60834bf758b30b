#!/bin/bash
# The built package as a player's machine would take it, without installing it: apt-get resolves
# its dependencies in a simulation, then the game unpacked into a temporary root starts, leaves
# from the title's menu shortcut and ends with status 0. Whether cratefall is installed on this
# machine makes no difference, and no step needs root.
# run_extracted.sh OUTPUT_DIR
set -euo pipefail
output_dir="$1"
package=$(readlink -f "$(echo "$output_dir"/cratefall_*.deb)")
source "$(dirname "${BASH_SOURCE[0]}")/../../dev/lib.sh"

held_dir cratefall-deb-run
work="$held"
trap 'rm -rf "$work"' EXIT

# --reinstall: with this version already installed there would be nothing left to resolve. Run
# as root, apt-get logs even a simulation's plan, under /var/log/apt unless told otherwise.
plan=$(apt-get install --simulate --reinstall --no-install-recommends -o Dir::Log="$work" \
    "$package" 2>&1) || {
    echo "apt-get cannot install the package: $plan" >&2
    exit 1
}
echo "$plan"
if grep -q '^Remv ' <<<"$plan"; then
    echo "installing the package would remove other packages" >&2
    exit 1
fi

root="$work/root"
dpkg-deb -x "$package" "$root"

QT_QPA_PLATFORM=xcb bash "$(dirname "${BASH_SOURCE[0]}")/start_and_leave.sh" "$root/usr/bin/cratefall"
