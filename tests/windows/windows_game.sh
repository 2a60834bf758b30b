# Sourced by the Windows end-to-end tests: the end-to-end suite's screens and robot (tests/e2e),
# with the game from the release zip run under Wine in a prefix of the test's own.
# shellcheck shell=bash
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/screens.sh"
source "$(dirname "${BASH_SOURCE[0]}")/wine_lib.sh"

: "${CRATEFALL_WINDOWS_ZIP:?CRATEFALL_WINDOWS_ZIP names the release zip; run the tests through ctest}"
: "${CRATEFALL_WINE_ROOT:?run the tests through ctest}"

# The game has only the faces it carries.
hide_host_fonts "$work/fonts"

step "a Wine prefix of our own, and its wineserver"
wine_prefix "$CRATEFALL_WINE_ROOT" "$work/prefix"
HOME="$work" start_wineserver "$work/prefix"
started_pids+=("$wineserver_pid")

# windows_path UNIX_PATH: the same file as a Windows program names it (drive Z: is the root).
windows_path() {
    local path="${1//\//\\}"
    echo "Z:$path"
}

# The lib's start_game runs a Linux program on xcb; a Windows one runs under Wine instead.
start_game() {
    step "starting $(basename "$1") ${*:2} under Wine"
    setpriv --pdeathsig TERM wine "$@" >>"$work/game.log" 2>&1 &
    game_pid=$!
    started_pids+=("$game_pid")
}

# unpack_release: the zip's folder in the test's own, its cratefall.exe in CRATEFALL.
unpack_release() {
    unzip -q "$CRATEFALL_WINDOWS_ZIP" -d "$work/unpacked"
    CRATEFALL=$(find "$work/unpacked" -name cratefall.exe)
    [ -n "$CRATEFALL" ] || fail "no cratefall.exe in $CRATEFALL_WINDOWS_ZIP"
}

# Wine sometimes drops the first click after a window appears: the start click is sent again
# while the level still waits, each time after the robot found no box fallen from where it waits.
start_level1_under_wine() {
    local try fell
    for try in 1 2 3; do
        click "$level1" "$(px 3000),$(px 6000)"
        # Ten seconds to see every box, far more than a started level takes to show them.
        fell=$(robot fall "$level1" "$waiting" "$(limit_ms 10000)" "$work/running-$try" \
            "${level1_boxes[@]}")
        if [ "$fell" != "no look found every box in its column" ]; then
            expect_equal "$fell" "3 of 3" "boxes falling after the click"
            return 0
        fi
        echo "the start click was not taken (look $try)"
    done
    fail "level 1 did not start after three clicks"
}
