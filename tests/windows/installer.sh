#!/bin/bash
# The installer run silently as an administrator would (/S): the game in Program Files, a Start
# menu entry and an entry in Windows' list of programs; the installed game starts and ends with
# status 0; the uninstaller named in that list, run silently, leaves the prefix as it found it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/windows_game.sh"

: "${CRATEFALL_WINDOWS_SETUP:?CRATEFALL_WINDOWS_SETUP names the installer; run the tests through ctest}"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Cratefall'
drive_c="$WINEPREFIX/drive_c"
install_dir="$drive_c/Program Files/Cratefall"
start_menu_entry="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Cratefall.lnk"

# Every file and folder of drive C: but the temporary folders, which Windows itself empties, and
# the precompiled INF files that Wine writes whenever it sets up a device, in its own time (the
# input devices once a window has been shown: seen as windows/inf/input.pnf).
prefix_files() {
    (cd "$drive_c" && find . ! -path './windows/temp*' ! -path './users/*/Temp*' \
        ! -path './windows/inf/*.pnf' | sort)
}

# registry_value NAME: the value of the installer's entry in the list of programs.
registry_value() {
    wine reg query "$uninstall_key" /v "$1" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$1 *REG_[A-Z]* *//p"
}

prefix_files >"$work/before.txt"
registry_value DisplayName >/dev/null && fail "the new prefix already lists Cratefall"

step "the installer, silently"
status=0
wine "$CRATEFALL_WINDOWS_SETUP" /S >>"$work/game.log" 2>&1 || status=$?
expect_equal "$status" 0 "the installer's exit status"
[ -f "$install_dir/cratefall.exe" ] || fail "no cratefall.exe in $install_dir"
[ -f "$start_menu_entry" ] || fail "no Start menu entry at $start_menu_entry"
expect_equal "$(registry_value DisplayName)" Cratefall "the name in the list of programs"
expect_equal "$(registry_value DisplayIcon)" 'C:\Program Files\Cratefall\cratefall.exe,0' \
    "the icon in the list of programs"
quiet=$(registry_value QuietUninstallString)
[ -n "$quiet" ] || fail "no silent uninstall command in the list of programs"

step "the installed game starts, shows its title, and Ctrl+F4 ends it with status 0"
CRATEFALL="$install_dir/cratefall.exe"
start_title
keys "$title" ctrl+F4
expect_exit_status 0 30

step "the uninstaller from the list of programs, silently: $quiet"
# "PROGRAM" ARGUMENTS. It copies itself to the temporary folder and goes on from there: done
# when the folder is gone.
[[ "$quiet" =~ ^\"([^\"]+)\"\ (.*)$ ]] || fail "not a quoted program and its arguments: $quiet"
wine "${BASH_REMATCH[1]}" ${BASH_REMATCH[2]} >>"$work/game.log" 2>&1 ||
    fail "the uninstaller did not start"
gone() { [ ! -e "$install_dir" ]; }
until_within "the uninstaller left $install_dir: $(ls "$install_dir" 2>/dev/null | tr '\n' ' ')" gone
registry_value DisplayName >/dev/null && fail "Cratefall is still in the list of programs"
prefix_files >"$work/after.txt"
left=$(comm -13 "$work/before.txt" "$work/after.txt")
[ -z "$left" ] || fail "the uninstaller left files behind: $left"
