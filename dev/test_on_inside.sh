#!/bin/bash
# The inside of dev/test_on.sh, run by it as the first process of a mount and a PID namespace of
# its own: every root mounted and every process started here goes when this script ends.
# test_on_inside.sh BASE_ROOT RUN_DIR [PACKAGE_FILE_IN_RUN_DIR]
# CRATEFALL_WINDOWS_CACHE_SOURCE, when set, is the folder of Qt for Windows to use, and the Windows
# build and its tests are all that run.
set -euo pipefail
base="$1"
run_dir="$2"
foreign_deb="${3:-}"
repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$repo_root/dev/lib.sh"
source "$repo_root/dev/roots.sh"
start_and_leave="$repo_root/tests/packaging/start_and_leave.sh"
release="${base##*/}"

# This namespace's own /proc: what runs here is all that kill and ps see.
mount -t proc proc /proc

copies=0
# fresh_root: mounts a new copy of the base root (an overlay whose changes stay in RUN_DIR) with
# the kernel file systems a Debian system expects, and sets $root to it.
fresh_root() {
    copies=$((copies + 1))
    local dir="$run_dir/copy$copies"
    mkdir -p "$dir/upper" "$dir/work" "$dir/root"
    root="$dir/root"
    mount -t overlay overlay -o "lowerdir=$base,upperdir=$dir/upper,workdir=$dir/work" "$root"
    mount_system "$root"
    export root
}

# in_root_as USER COMMAND...: runs a command in $root as that user, with a clean environment
# (the display, when one is set, and the platform the game is told to use).
in_root_as() {
    local user="$1" home=/root
    shift
    [ "$user" = root ] || home="/home/$user"
    chroot "$root" sudo -u "$user" -H -- env -i HOME="$home" USER="$user" LOGNAME="$user" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
        ${DISPLAY:+DISPLAY="$DISPLAY"} ${QT_QPA_PLATFORM:+QT_QPA_PLATFORM="$QT_QPA_PLATFORM"} "$@"
}

export -f in_root_as

# clone_into HOME USER: a copy of the clean clone in that home, owned by that user.
clone_into() {
    cp -a "$run_dir/clone" "$root$1/cratefall"
    chroot "$root" chown -R "$2:" "$1/cratefall"
}

step() {
    step_started=$SECONDS
    echo
    echo "== $release: $*"
}

step_done() {
    echo "== $release: done in $((SECONDS - step_started)) s"
}

if [ -n "${CRATEFALL_WINDOWS_CACHE_SOURCE:-}" ]; then
    step "the Windows release and its tests under Wine, as a user with sudo, on a fresh root"
    fresh_root
    # Where dev/windows.sh keeps Qt for Windows, so that only the first run builds it.
    mkdir -p "$root/var/cache/cratefall-windows"
    mount --bind "$CRATEFALL_WINDOWS_CACHE_SOURCE" "$root/var/cache/cratefall-windows"
    clone_into /home/player player
    (unset DISPLAY QT_QPA_PLATFORM &&
        in_root_as player bash -c 'cd ~/cratefall && bash dev/windows.sh --test')
    step_done
    exit 0
fi

# The games started from the roots are shown on an X server of this machine's, which the game
# reaches through its abstract socket; the roots stay as fresh as a player's system.
start_display
export QT_QPA_PLATFORM=xcb

if [ -n "$foreign_deb" ]; then
    step "the package built elsewhere ($foreign_deb), installed on a fresh root"
    fresh_root
    cp "$run_dir/$foreign_deb" "$root/home/player/"
    in_root_as player sudo apt-get update -q
    in_root_as player bash -c "cd ~ && sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./$foreign_deb"
    bash "$start_and_leave" in_root_as player cratefall
    step_done
fi

step "the play command, as root, on a fresh root"
fresh_root
clone_into /root root
bash "$start_and_leave" --wait 3600 in_root_as root bash -c 'cd ~/cratefall && bash dev/play.sh'
step_done

step "the test command, as a user with sudo, on a fresh root"
fresh_root
clone_into /home/player player
(unset DISPLAY QT_QPA_PLATFORM && in_root_as player bash -c 'cd ~/cratefall && bash dev/test.sh')
step_done

if [ "${CRATEFALL_LOADED_RUNS:-0}" -gt 0 ]; then
    step "that build's suite $CRATEFALL_LOADED_RUNS times beside a busy process on every core"
    (unset DISPLAY QT_QPA_PLATFORM &&
        in_root_as player bash -c "cd ~/cratefall && bash dev/test_loaded.sh $CRATEFALL_LOADED_RUNS")
    step_done
fi

step "the package that run built, installed there as the README says"
in_root_as player bash -c 'cd ~/cratefall/build/packaging/deb &&
    sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./cratefall_*.deb'
bash "$start_and_leave" in_root_as player cratefall
step_done
