#!/bin/bash
# Runs the README's test command on another Debian release, in a throwaway minimal root:
#
#   dev/test_on.sh RELEASE [--deb PACKAGE] [--loaded RUNS]
#   dev/test_on.sh RELEASE --windows
#
# RELEASE is a suite or code name the machine's mirror carries (bookworm, trixie, testing...).
# The minimal root (debootstrap --variant=minbase, sudo and a user "player" who may use it) is made
# once from the mirror this machine's apt uses and kept in $CRATEFALL_ROOTS (default
# /var/cache/cratefall-test-on). Each run works on a fresh copy of it (an overlay, thrown away
# afterwards) and, there:
#   1. with --deb, installs that package (built elsewhere, say on another release) with
#      apt-get install ./cratefall_*.deb on a still fresh root, starts it and leaves with Ctrl+F4;
#   2. on another, runs `bash dev/play.sh` as root from a clean clone of HEAD, and leaves the game
#      with Ctrl+F4;
#   3. on another, clones HEAD into player's home and runs `bash dev/test.sh` as player, who gets
#      root through sudo for apt-get only;
#   4. with --loaded N, runs that build's suite N times more beside a busy process on every core
#      (dev/test_loaded.sh);
#   5. installs the package that run built, as the README tells a player, starts it and leaves.
# With --windows it does none of that but, on a fresh root, runs `bash dev/windows.sh --test` as
# player from a clean clone: the Windows zip and installer, and the Windows tests under Wine. Qt
# for Windows is kept between runs: a root of this machine's own release uses this machine's
# cache folder (the same Debian Qt, so the same build), any other release a folder of its own in
# $CRATEFALL_ROOTS/windows, each mounted where dev/windows.sh looks in the root.
# Root is needed for debootstrap, mount and chroot only: run it as root or with sudo (it asks for
# sudo itself). Every mount lives in a mount namespace of its own and every process in a PID
# namespace of its own, so both go when the script ends, however it ends.
set -euo pipefail

usage() {
    echo "usage: $0 RELEASE [--deb PACKAGE] [--loaded RUNS] | $0 RELEASE --windows" >&2
    exit 2
}
[ $# -ge 1 ] || usage
release="$1"
shift
foreign_deb=""
loaded_runs=0
windows=""
while [ $# -gt 0 ]; do
    case "$1" in
    --deb) [ $# -ge 2 ] || usage; foreign_deb="$(readlink -f "$2")"; shift 2 ;;
    --loaded) [ $# -ge 2 ] && [ "$2" -ge 0 ] 2>/dev/null || usage; loaded_runs="$2"; shift 2 ;;
    --windows) windows=yes; shift ;;
    *) usage ;;
    esac
done
[ -z "$windows" ] || { [ -z "$foreign_deb" ] && [ "$loaded_runs" -eq 0 ]; } || usage
[ -z "$foreign_deb" ] || [ -f "$foreign_deb" ] || { echo "no package $foreign_deb" >&2; exit 2; }

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$repo_root/dev/roots.sh"
if [ "$(id -u)" -ne 0 ]; then
    exec sudo --preserve-env=CRATEFALL_ROOTS,CRATEFALL_MIRROR,CRATEFALL_WINDOWS_CACHE bash "$0" \
        "$release" ${foreign_deb:+--deb "$foreign_deb"} --loaded "$loaded_runs" ${windows:+--windows}
fi

cache="$roots_cache"

mkdir -p "$cache"
# Leftovers of runs that were killed outright: their namespaces, and so their mounts, are gone.
for stale in "$cache"/run.*; do
    [ -d "$stale" ] || continue
    pid="${stale##*.}"
    kill -0 "$pid" 2>/dev/null || rm -rf "$stale"
done
base_root "$release"
# The games started from the roots show on an X server of this machine's.
host_tools=(xvfb openbox x11-utils xdotool)
installed=$(dpkg-query -W -f='${Status}\n' "${host_tools[@]}" 2>/dev/null | grep -c "ok installed" || true)
[ "$installed" -eq "${#host_tools[@]}" ] ||
    apt-get install -y -q --no-install-recommends "${host_tools[@]}"

run_dir="$cache/run.$$"
mkdir -p "$run_dir"
trap 'rm -rf "$run_dir"' EXIT

git clone --quiet --no-hardlinks "$repo_root" "$run_dir/clone"
[ -z "$foreign_deb" ] || cp "$foreign_deb" "$run_dir/"

# codename ROOT: the Debian release a root holds (/ for this machine's own).
codename() {
    sed -n 's/^VERSION_CODENAME=//p' "$1/etc/os-release"
}

windows_cache=""
if [ -n "$windows" ]; then
    # A root of this machine's release gets this machine's Qt, and so would build the same Qt for
    # Windows as the one already here.
    if [ -n "$(codename /)" ] && [ "$(codename /)" = "$(codename "$base")" ]; then
        windows_cache="${CRATEFALL_WINDOWS_CACHE:-/var/cache/cratefall-windows}"
    else
        windows_cache="$cache/windows/$release"
    fi
    mkdir -p "$windows_cache"
    echo "Qt for Windows is kept in $windows_cache"
fi

# The rest runs in new mount and PID namespaces: the kernel unmounts and kills everything in them
# when their first process ends, which --kill-child ties to unshare, and unshare to this shell.
CRATEFALL_LOADED_RUNS=$loaded_runs CRATEFALL_WINDOWS_CACHE_SOURCE=$windows_cache setpriv --pdeathsig KILL \
    unshare --mount --pid --fork --kill-child --propagation private \
    bash "$repo_root/dev/test_on_inside.sh" "$base" "$run_dir" ${foreign_deb:+"${foreign_deb##*/}"} &
inside=$!
trap 'kill -KILL "$inside" 2>/dev/null; exit 130' INT TERM HUP
wait "$inside"
