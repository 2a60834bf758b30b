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
        # Another apt (the system's own updates, another build) may hold the lock a while.
        as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=1800 update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=1800 install \
            -y -q --no-install-recommends "${missing[@]}"
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

# first_line FILE [SECONDS]: the first whole line a program just started writes to FILE (a display
# number, a bus address), once it is there; status 1 if it has not come within SECONDS (30).
first_line() {
    local until=$((SECONDS + ${2:-30}))
    # Whole once it ends in a newline, which $(...) takes off.
    until grep -q . "$1" 2>/dev/null && [ -z "$(tail -c 1 "$1")" ]; do
        [ "$SECONDS" -lt "$until" ] || return 1
        sleep 0.05
    done
    head -n 1 "$1"
}

# await_service WHAT SECONDS PID LOG COMMAND...: runs COMMAND until it succeeds, which is how the
# service started as PID tells it is ready. Fails saying why, with the service's log, when PID has
# ended or SECONDS have passed: a loaded machine is slow, but a wait never lasts for ever.
await_service() {
    local what="$1" until=$((SECONDS + $2)) pid="$3" log="$4"
    shift 4
    until "$@" >/dev/null 2>&1; do
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "$what ended before it was ready; its log:" >&2
        elif [ "$SECONDS" -ge "$until" ]; then
            echo "$what was not ready after $((SECONDS - until + $2)) s; its log:" >&2
        else
            sleep 0.05
            continue
        fi
        sed 's/^/    /' "$log" >&2
        return 1
    done
}

# Whether the window manager has announced itself on the root window and is managing windows:
# windows mapped before it announced are neither decorated nor activated, and openbox, which
# announces itself before it has started up, never shows a window asked for in between. It lists
# the windows it manages, none yet, once it has.
wm_announced() {
    local root
    root=$(xprop -root _NET_SUPPORTING_WM_CHECK _NET_CLIENT_LIST)
    [[ "$root" == *'_NET_SUPPORTING_WM_CHECK(WINDOW): window id'* ]] &&
        [[ "$root" == *'_NET_CLIENT_LIST(WINDOW)'* ]]
}

# start_display [--no-wm]: Xvfb on a display number it picks itself (no race with other servers
# being started at the same moment), and openbox unless told not to; exports DISPLAY once the
# server answers a client and the window manager has announced itself. Both end with the shell
# that started them, even when it is killed (a test at its time limit runs no trap). stop_display
# ends both by pid. Their logs are in $display_dir.
start_display() {
    held_dir cratefall-display
    display_dir="$held"
    # -noreset: the server would otherwise reset each time its last client leaves, and refuse the
    # next one while it does, as a check that looked at it and left could be.
    setpriv --pdeathsig TERM Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
        3>"$display_dir/number" >"$display_dir/xvfb.log" 2>&1 &
    xvfb_pid=$!
    DISPLAY=":$(first_line "$display_dir/number")" ||
        { echo "Xvfb gave no display number: $(cat "$display_dir/xvfb.log")" >&2; return 1; }
    export DISPLAY
    await_service Xvfb 30 "$xvfb_pid" "$display_dir/xvfb.log" xdpyinfo || return 1
    [ "${1:-}" = --no-wm ] && return 0
    # Its log goes to this folder rather than the user's ~/.cache.
    XDG_CACHE_HOME="$display_dir" setpriv --pdeathsig TERM openbox \
        >"$display_dir/openbox.log" 2>&1 &
    openbox_pid=$!
    await_service openbox 30 "$openbox_pid" "$display_dir/openbox.log" wm_announced
}

# display_logs: what the X server and window manager wrote, for a test that failed.
display_logs() {
    local log
    for log in "${display_dir:-/nonexistent}"/{xvfb,openbox}.log; do
        [ -s "$log" ] && sed "s/^/${log##*/}: /" "$log" >&2
    done
    return 0
}

# no_desktop_session DIR: keeps the programs this shell starts off the session bus and the runtime
# folder of the desktop it was started from: a runtime folder in DIR, and a bus nobody listens on.
no_desktop_session() {
    export XDG_RUNTIME_DIR="$1/runtime" DBUS_SESSION_BUS_ADDRESS="unix:path=$1/no-bus"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}

# browser_session WORK: the browsers of a run, each of the run's own: a home, no desktop session
# and scratch folders (which they leave behind when they are killed) in WORK, and an X display of
# the run's own (WebKitGTK draws on one). stop_display ends it.
browser_session() {
    no_desktop_session "$1"
    export HOME="$1/home"
    mkdir "$HOME"
    start_display --no-wm
    export TMPDIR="$1/tmp"
    mkdir "$TMPDIR"
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

# One deb-src line for each Debian archive the machine's apt uses (its one-line and deb822 files).
debian_source_list() {
    local file
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        sed -n -E 's/^[[:space:]]*deb[[:space:]]+/deb-src /p' "$file"
    done | grep -E '/debian(-security)?/? ' || true
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        awk 'function flush() {
                 if (types ~ /(^| )deb( |$)/ && enabled != "no" && (signed == "" || signed ~ /debian-archive-keyring/))
                     for (u in uris) for (s in suites)
                         print "deb-src" (signed == "" ? "" : " [signed-by=" signed "]") " " uris[u] " " suites[s] " " components
                 types = ""; signed = ""; enabled = ""; components = ""; delete uris; delete suites
             }
             /^[[:space:]]*$/ { flush(); next }
             /^#/ { next }
             { key = tolower($1); sub(/:$/, "", key); $1 = "" ; sub(/^ /, "") }
             key == "types" { types = $0 } key == "signed-by" { signed = $0 }
             key == "enabled" { enabled = tolower($0) } key == "components" { components = $0 }
             key == "uris" { split($0, uris, " ") } key == "suites" { split($0, suites, " ") }
             END { flush() }' "$file"
    done
}

# fetch_debian_source PACKAGE VERSION DEST APT_DIR: unpacks that version of a Debian source
# package into DEST (made anew), through a private apt list of the Debian mirrors this machine's
# apt uses, kept in APT_DIR while it works; the machine's own apt sources are left as they are.
fetch_debian_source() {
    local package="$1" version="$2" dest="$3" apt="$4" options
    rm -rf "$apt"
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$dest"
    debian_source_list >"$apt/sources.list"
    [ -s "$apt/sources.list" ] || { echo "No Debian archive in the machine's apt sources." >&2; exit 1; }
    options=(-q -o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts=-
        -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache" -o Debug::NoLocking=1)
    [ "$(id -u)" -ne 0 ] || options+=(-o APT::Sandbox::User=root)
    apt-get "${options[@]}" update
    (cd "$dest" && apt-get "${options[@]}" source "$package=$version")
    rm -rf "$apt"
}
