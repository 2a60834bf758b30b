#!/bin/bash
# ctest's emulator for the Windows build: runs a test program under Wine in a prefix of its own,
# on an X server of its own, and ends Wine with it.
# Usage: run_in_wine.sh WINE_ROOT DLL_DIRS PROGRAM [ARGS...], DLL_DIRS separated by colons.
#   CRATEFALL_WINE_DPI  the prefix's screen resolution in dots per inch (Windows' own 96 unless set)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../dev/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/wine_lib.sh"

wine_root="$1"
dll_dirs="$2"
shift 2
mkdir -p "$wine_root/runs"
TMPDIR="$wine_root/runs" held_dir "$(basename "$1" .exe)"
run_dir="$held"
finish() {
    stop_wineserver
    stop_display
    rm -rf "$run_dir"
}
trap finish EXIT
trap 'exit 130' INT TERM HUP

# Wine draws even a program that shows no window through an X server: the test's own.
start_display --no-wm
no_desktop_session "$run_dir"
# The game's text in its own face, which it carries, never the host's copy.
hide_host_fonts "$run_dir/fonts"
# No printer but none: Wine asks CUPS from the Linux side, which a test's own CUPS_SERVER set
# inside the program never reaches, so without this a print would go to the caller's printer.
export CUPS_SERVER="$run_dir/no-print-spooler.sock"
wine_prefix "$wine_root" "$run_dir/prefix"
start_wineserver "$run_dir/prefix"
if [ -n "${CRATEFALL_WINE_DPI:-}" ]; then
    # Where Windows keeps the resolution its display settings choose, which Wine reads too.
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$CRATEFALL_WINE_DPI" /f \
        >"$run_dir/dpi.log" 2>&1 || { cat "$run_dir/dpi.log" >&2; exit 1; }
fi
WINEPATH="$(windows_path_list "$dll_dirs")"
export WINEPATH
status=0
wine "$@" || status=$?
exit "$status"
