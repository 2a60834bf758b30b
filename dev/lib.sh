# Shared by the set-up commands: package installation, the build, and test services.
# shellcheck shell=bash

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "Installing packages needs root: run this as root or install sudo." >&2
        exit 1
    fi
}

# Installs the packages listed in dev/packages/<name>.txt for every name given ('tests' for every
# list but the benchmarks', so that a list added for a new test is installed without more ado).
install_packages() {
    local lists=() wanted=() missing=() list
    if [ "$1" = tests ]; then
        for list in "$repo_root"/dev/packages/*.txt; do
            [ "${list##*/}" = bench.txt ] || lists+=("$list")
        done
    else
        for name in "$@"; do lists+=("$repo_root/dev/packages/$name.txt"); done
    fi
    mapfile -t wanted < <(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "${lists[@]}" | tr -d ' ' | sort -u)
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

# build <dir> [cmake options...]
build() {
    local dir="$1"
    shift
    cmake -S "$repo_root" -B "$dir" -G Ninja "$@"
    cmake --build "$dir" --parallel "$(nproc)"
}

# held_dir NAME: makes a folder NAME.XXXXXX in TMPDIR, its path in held. A lock on a file in it,
# open in this shell and every program it starts, marks it in use until they have all ended,
# however they end. Folders of the same NAME whose lock no process holds were left by runs killed
# before they could remove them: they go first.
held_dir() {
    local stale dir fd
    for stale in "${TMPDIR:-/tmp}/$1".*; do
        if [ -f "$stale/held" ] && flock -n "$stale/held" true; then rm -rf "$stale"; fi
    done
    dir=$(mktemp -d "${TMPDIR:-/tmp}/$1.XXXXXX")
    exec {fd}>"$dir/.held"
    flock "$fd"
    # Named only once locked, so that a folder still being made is never taken for a left one.
    mv "$dir/.held" "$dir/held"
    held="$dir"
}

# stop_pid PID: stops a process this shell started, politely, then for good.
stop_pid() {
    kill "$1" 2>/dev/null || return 0
    for _ in $(seq 50); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    kill -9 "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

# first_line FILE: the first line a program just started writes to FILE (a display number, a bus
# address), once it is there; status 1 if it never comes.
first_line() {
    for _ in $(seq 100); do
        [ -s "$1" ] && head -n 1 "$1" && return 0
        sleep 0.1
    done
    return 1
}

# start_display [--no-wm]: Xvfb on a display number it picks itself (no race with other servers
# being started at the same moment), and openbox unless told not to; exports DISPLAY. Both end
# with the shell that started them, even when it is killed (a test at its time limit runs no trap).
# stop_display ends both by pid. Their logs are in $display_dir.
start_display() {
    held_dir cratefall-display
    display_dir="$held"
    setpriv --pdeathsig TERM Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$display_dir/number" >"$display_dir/xvfb.log" 2>&1 &
    xvfb_pid=$!
    DISPLAY=":$(first_line "$display_dir/number")" ||
        { echo "Xvfb did not start: $(cat "$display_dir/xvfb.log")" >&2; return 1; }
    export DISPLAY
    [ "${1:-}" = --no-wm ] && return 0
    # Its log goes to this folder rather than the user's ~/.cache.
    XDG_CACHE_HOME="$display_dir" setpriv --pdeathsig TERM openbox \
        >"$display_dir/openbox.log" 2>&1 &
    openbox_pid=$!
    # Ready once it has announced itself on the root window: windows mapped before that are
    # neither decorated nor activated.
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    echo "openbox did not start: $(cat "$display_dir/openbox.log")" >&2
    return 1
}

# no_desktop_session DIR: keeps the programs this shell starts off the session bus and the runtime
# folder of the desktop it was started from: a runtime folder in DIR, and a bus nobody listens on.
no_desktop_session() {
    export XDG_RUNTIME_DIR="$1/runtime" DBUS_SESSION_BUS_ADDRESS="unix:path=$1/no-bus"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}

stop_display() {
    [ -z "${openbox_pid:-}" ] || stop_pid "$openbox_pid"
    [ -z "${xvfb_pid:-}" ] || stop_pid "$xvfb_pid"
    [ -z "${display_dir:-}" ] || rm -rf "$display_dir"
}

# Qt keeps per-user runtime files in XDG_RUNTIME_DIR and makes a shared /tmp/runtime-$USER when it
# is unset, as it is for root or over ssh: the run gets a private one instead, which
# remove_private_runtime_dir takes away again.
use_private_runtime_dir() {
    [ -n "${XDG_RUNTIME_DIR:-}" ] && return 0
    held_dir cratefall-runtime
    private_runtime_dir="$held"
    export XDG_RUNTIME_DIR="$private_runtime_dir"
}

remove_private_runtime_dir() {
    [ -n "${private_runtime_dir:-}" ] && rm -rf "$private_runtime_dir"
    return 0
}
