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

# start_display [--no-wm]: Xvfb on a display number it picks itself (no race with other servers
# being started at the same moment), and openbox unless told not to; exports DISPLAY. Both end
# with the shell that started them, even when it is killed (a test at its time limit runs no trap).
# stop_display ends both by pid.
start_display() {
    display_dir=$(mktemp -d)
    setpriv --pdeathsig TERM Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$display_dir/number" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$display_dir/number" ] && break
        sleep 0.1
    done
    [ -s "$display_dir/number" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$(head -n 1 "$display_dir/number")"
    [ "${1:-}" = --no-wm ] && return 0
    # Its log goes to this folder rather than the user's ~/.cache.
    XDG_CACHE_HOME="$display_dir" setpriv --pdeathsig TERM openbox >/dev/null 2>&1 &
    openbox_pid=$!
    # Ready once it has announced itself on the root window: windows mapped before that are
    # neither decorated nor activated.
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    echo "openbox did not start" >&2
    return 1
}

stop_display() {
    [ -n "${openbox_pid:-}" ] && kill "$openbox_pid" 2>/dev/null && wait "$openbox_pid" 2>/dev/null
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    [ -n "${display_dir:-}" ] && rm -rf "$display_dir"
    return 0
}

# Qt keeps per-user runtime files in XDG_RUNTIME_DIR and makes a shared /tmp/runtime-$USER when it
# is unset, as it is for root or over ssh: the run gets a private one instead, which
# remove_private_runtime_dir takes away again.
use_private_runtime_dir() {
    [ -n "${XDG_RUNTIME_DIR:-}" ] && return 0
    private_runtime_dir=$(mktemp -d)
    export XDG_RUNTIME_DIR="$private_runtime_dir"
}

remove_private_runtime_dir() {
    [ -n "${private_runtime_dir:-}" ] && rm -rf "$private_runtime_dir"
    return 0
}
