#!/bin/bash
# The game as a screen reader finds it on the real accessibility bus: a session bus and the
# accessibility bus of our own, the shipped game with Qt's bridge on, and a small AT-SPI client.
set -euo pipefail
here="$(dirname "${BASH_SOURCE[0]}")"
source "$here/lib.sh"

step "a session bus and an accessibility bus of our own"
# Their sockets and caches stay in this test's folder; they end with the test even when it is
# killed before its trap can run.
export XDG_CACHE_HOME="$work/cache"
setpriv --pdeathsig TERM dbus-daemon --session --nofork --nopidfile --print-address=3 \
    3>"$work/bus" >"$work/dbus.log" 2>&1 &
started_pids+=("$!")
DBUS_SESSION_BUS_ADDRESS=$(first_line "$work/bus") ||
    fail "the session bus did not start: $(cat "$work/dbus.log")"
export DBUS_SESSION_BUS_ADDRESS
# Started here rather than by bus activation, so this test can stop it by its pid; it ends the
# accessibility bus and registry it started.
setpriv --pdeathsig TERM /usr/libexec/at-spi-bus-launcher --launch-immediately \
    >"$work/atspi.log" 2>&1 &
started_pids+=("$!")
# Asked without activating it: a launcher started by the bus would be one this test cannot stop.
accessibility_bus_answers() {
    [[ "$(dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus)" == *'boolean true'* ]] &&
        [[ "$(dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress)" == *unix:* ]]
}
await_service "the accessibility bus" 30 "${started_pids[-1]}" "$work/atspi.log" \
    accessibility_bus_answers || fail "the accessibility bus did not start"

# Qt's bridge otherwise waits for a desktop setting that says a screen reader runs.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_game "${CRATEFALL:?}"

step "the client reads the screens"
/usr/bin/python3 "$here/screen_reader.py" $((deadline_ms - $(now_ms))) ||
    fail "the screen reader did not read what it should"
