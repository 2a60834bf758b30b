# Wine for a test (sourced after dev/lib.sh): a prefix of the test's own and a wineserver that the
# test starts and stops by its pid, and that ends with the test even when ctest kills it.
# shellcheck shell=bash

# Quiet, and no Mono or Gecko installer dialogs, and no menu entries written into the home folder
# for what a Windows installer puts in the Start menu.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Qt Test and Qt's warnings reach stderr without a console window.
export QT_FORCE_STDERR_LOGGING=1

# Wine keeps the QT_ variables of Linux's environment from Windows programs, but passes on
# WINEQT_NAME as QT_NAME: every QT_ variable set for the test is handed on that way.
pass_qt_environment() {
    local name
    for name in $(compgen -e); do
        [[ "$name" == QT_* ]] && export "WINE$name=${!name}"
    done
    return 0
}
pass_qt_environment

# hide_host_fonts DIR: what a Windows machine without Liberation Sans sees. Wine reads the host's
# fonts through fontconfig: a configuration in DIR that lists none leaves Windows programs only
# Wine's own faces and those they carry.
hide_host_fonts() {
    mkdir -p "$1"
    cat >"$1/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><cachedir>$1/cache</cachedir></fontconfig>
CONF
    export FONTCONFIG_FILE="$1/fonts.conf"
}

# start_wineserver PREFIX: a persistent wineserver for that prefix, ready once its socket is there
# (a Wine program started before would start a server of its own, outside the test's hold). Wine
# runs without TMPDIR, which Debian 13's wineserver cannot take (it aborts: "free(): invalid
# pointer"): its socket folder is then in /tmp, the user's alone, and stop_wineserver removes it.
start_wineserver() {
    export WINEPREFIX="$1"
    unset TMPDIR
    mkdir -p "$WINEPREFIX"
    setpriv --pdeathsig KILL wineserver --foreground --persistent >"$WINEPREFIX.wineserver.log" 2>&1 &
    wineserver_pid=$!
    reap_after_wineserver "$wineserver_pid" "$WINEPREFIX"
    for _ in $(seq 100); do
        if [ -S "$(wineserver_dir)/socket" ]; then
            # For an end-to-end test, which stops the server by its pid (tests/e2e/lib.sh).
            made_dirs+=("$(wineserver_leftover)")
            return 0
        fi
        kill -0 "$wineserver_pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "wineserver did not start: $(cat "$WINEPREFIX.wineserver.log")" >&2
    return 1
}

# reap_after_wineserver PID PREFIX: once that server has ended, every process still running in
# the prefix goes too. Wine's services (services.exe, explorer.exe...) wait on pipes their
# siblings hold open and never notice that their server is gone, which is how a test ends that
# ctest killed, or whose server was stopped before it could stop them. The watcher is no child of
# the test, so that it outlives it, and holds none of its files (its folders' locks).
reap_after_wineserver() {
    setsid -f bash -c 'for fd in /proc/$$/fd/*; do
            fd=${fd##*/}; [ "$fd" -gt 2 ] && eval "exec $fd>&-"
        done
        tail --pid="$1" -f /dev/null
        for environ in $(grep -lzx "WINEPREFIX=$2" /proc/[0-9]*/environ 2>/dev/null); do
            pid=${environ#/proc/} && pid=${pid%/environ}
            [[ "$(readlink "/proc/$pid/exe")" == */wine* ]] && kill -KILL "$pid"
        done 2>/dev/null' reaper "$1" "$2" </dev/null >/dev/null 2>&1
}

# The server's socket folder: Debian's Wine names a new folder of its own in the prefix, upstream
# Wine's is the same for every server of the user's.
wineserver_dir() {
    local server
    server="server-$(stat -c '%d %i' "$WINEPREFIX" | xargs printf '%x-%x')"
    if [ -f "$WINEPREFIX/wineserver" ]; then
        echo "/tmp/$(cat "$WINEPREFIX/wineserver")/$server"
    else
        echo "/tmp/.wine-$(id -u)/$server"
    fi
}

# What the server leaves in /tmp: Debian's folder made for it, or upstream's folder of the server.
wineserver_leftover() {
    local dir
    dir="$(wineserver_dir)"
    if [ -f "$WINEPREFIX/wineserver" ]; then echo "${dir%/*}"; else echo "$dir"; fi
}

# Every Windows process of the prefix, then the server, then its socket folder.
stop_wineserver() {
    [ -n "${wineserver_pid:-}" ] || return 0
    local leftover
    leftover="$(wineserver_leftover)"
    wineserver -k 2>/dev/null || true
    stop_pid "$wineserver_pid"
    wineserver_pid=""
    rm -rf "$leftover"
}

# make_template DIR HOME: a new prefix in DIR, whole. wineboot returns while Wine's device
# services still install drivers (input.pnf...); a server stopped then leaves a prefix without
# them, so here Wine's own server runs it, and ends once every process of the prefix has. Its
# processes are Wine's own, which end with their last client.
make_template() (
    export WINEPREFIX="$1" HOME="$2"
    unset TMPDIR
    mkdir -p "$WINEPREFIX"
    setpriv --pdeathsig KILL wineboot --init >"$1.log" 2>&1 || { cat "$1.log" >&2; exit 1; }
    timeout 600 wineserver --wait ||
        { echo "Wine never finished making a prefix in $1: $(cat "$1.log")" >&2; exit 1; }
    rm -rf "$(wineserver_leftover)"
)

# wine_prefix ROOT DIR: a new prefix in DIR, hard links into ROOT/template, which is made once per
# build tree (a new prefix holds 600 MB of Wine's DLLs and takes wineboot a dozen seconds). The
# registry files, which wineserver writes in place, are copies; every other file Wine or a
# program changes is made anew or removed, so the template stays as it was made.
wine_prefix() {
    local root="$1" dir="$2" lock stamp
    stamp="$(wine --version)"
    mkdir -p "$root"
    exec {lock}>"$root/template.lock"
    flock "$lock"
    if [ "$(cat "$root/template/made-by" 2>/dev/null)" != "$stamp" ]; then
        rm -rf "$root/template" "$root/template.partial"
        make_template "$root/template.partial" "$root/home" || return 1
        # The server's own note of its folder, which a copy must not inherit.
        rm -f "$root/template.partial/wineserver"
        echo "$stamp" >"$root/template.partial/made-by"
        mv "$root/template.partial" "$root/template"
    fi
    flock -u "$lock"
    exec {lock}>&-
    cp -al "$root/template" "$dir"
    for registry in "$dir"/*.reg; do
        cp --remove-destination "$root/template/${registry##*/}" "$registry"
    done
}

# windows_path_list DIR:DIR...: the same folders as a Windows search path (drive Z: is the root).
windows_path_list() {
    local dir list=""
    IFS=: read -ra dirs <<<"$1"
    for dir in "${dirs[@]}"; do
        list+="${list:+;}Z:${dir//\//\\}"
    done
    echo "$list"
}
