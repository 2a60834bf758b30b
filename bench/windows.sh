#!/bin/bash
# The Windows release under Wine against the bench's bare Qt window built for Windows, side by
# side in one run: start-up to the mapped window, memory 5 s later and CPU over 10 s of the title,
# of the reference and of the last level played. The measuring is bench/run's own harness, a Linux
# program: it starts `wine PROGRAM.exe`, waits on X for the mapped window, and reads /proc of that
# process, which is the Windows program (Wine's loader runs it in the process it was started as).
# An Xvfb without a window manager and a Wine prefix of its own, whose wineserver and Wine's own
# services stay up all run, so every start after the first finds Wine as warm as a Windows
# desktop would be. Wine is not Windows: these are Wine's figures, on Linux.
#   bench/windows.sh   CRATEFALL_WINDOWS_BUILD (build-windows) and CRATEFALL_BENCH_BUILD
#                      (build-bench) pick the Windows build and the harness's Linux build
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../dev/windows/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../tests/windows/wine_lib.sh"

windows_build="${CRATEFALL_WINDOWS_BUILD:-$repo_root/build-windows}"
bench_build="${CRATEFALL_BENCH_BUILD:-$repo_root/build-bench}"
startup_runs="${CRATEFALL_BENCH_STARTUP_RUNS:-20}"
rounds="${CRATEFALL_BENCH_ROUNDS:-3}"
title_caption="Cratefall 1.0 - By Mokram"
reference_caption="Cratefall reference"

# The release, the reference and the level probe for Windows; the harness for Linux, and the
# Linux level probe for the last level's caption.
bash "$repo_root/dev/windows.sh"
install_packages base bench
mkdir -p "$bench_build"
cmake -S "$repo_root" -B "$bench_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCRATEFALL_WERROR=ON \
    -DCRATEFALL_BUILD_TESTS=OFF -DCRATEFALL_BUILD_BENCH=ON >"$bench_build/configure.log"
cmake --build "$bench_build" --parallel "$windows_jobs" --target cratefall_bench_harness \
    cratefall_level_probe
harness="$bench_build/bench/cratefall_bench_harness"
# The last level's window, as the game's own table names it (the Linux probe's is the same table).
level_caption=$("$bench_build/bench/cratefall_level_probe" --caption)

out="$windows_build/bench-results"
rm -rf "$out"
mkdir -p "$out"
raw="$out/raw.txt"
results="$out/figures.txt"
: >"$raw"

finish() {
    stop_wineserver
    stop_display
}
trap finish EXIT
trap 'exit 130' INT TERM HUP

# The three programs side by side, so each loads the same Qt DLLs and plugins from its folder.
unzip -q "$windows_build/release/cratefall-"*"-windows-x64.zip" -d "$out/unpacked"
app=$(dirname "$(find "$out/unpacked" -name cratefall.exe)")
# (qt_standard_project_setup puts a Windows build's programs at the top of the build folder.)
cp "$windows_build/cratefall_reference.exe" "$windows_build/cratefall_level_probe.exe" "$app/"

# As the Windows tests run them: the faces Wine and the programs carry, none of the host's.
hide_host_fonts "$out/fonts"
start_display --no-wm
no_desktop_session "$out"
export HOME="$out"
# A template of its own, kept between runs: the tests' own stays as their runs made it.
wine_prefix "$windows_build/bench-wine" "$out/prefix"
start_wineserver "$out/prefix"
unset QT_QPA_PLATFORM

game=(wine "$app/cratefall.exe")
reference=(wine "$app/cratefall_reference.exe")
probe=(wine "$app/cratefall_level_probe.exe")

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
echo "Wine's first start in the prefix, not counted: the game, then the reference"
"$harness" startup "$title_caption" -- "${game[@]}" | sed 's/^/  game /'
"$harness" startup "$reference_caption" -- "${reference[@]}" | sed 's/^/  reference /'

echo "start-up: $startup_runs runs each, game and reference alternating"
for _ in $(seq "$startup_runs"); do
    collect game. "$harness" startup "$title_caption" -- "${game[@]}"
    collect reference. "$harness" startup "$reference_caption" -- "${reference[@]}"
done

echo "memory after 5 s and CPU over 10 s: title, reference, the last level played; $rounds rounds"
for round in $(seq "$rounds"); do
    echo "  round $round"
    collect game.title. "$harness" resources "$title_caption" 5000 10000 0 -- "${game[@]}"
    collect reference. "$harness" resources "$reference_caption" 5000 10000 0 -- "${reference[@]}"
    collect game.last_level. "$harness" resources "$level_caption" 1000 10000 6000 -- \
        "${probe[@]}" --seconds 14
done

medians >"$results"
echo
echo "Under $(wine --version) on Xvfb $DISPLAY, no window manager"
echo "Load average (1, 5, 15 min) before the run $load_before, after it $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Figures in $results"
bash "$repo_root/bench/table.sh" "$results" windows
