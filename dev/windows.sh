#!/bin/bash
# Builds Cratefall for 64-bit Windows on Debian: Qt for Windows from Debian's own source package
# (once, into a cache folder outside the clone: dev/windows/qt.sh), then the game, its zip and
# its installer, into build-windows/release/. With --test it then runs the Windows tests under
# Wine; with --packages it only installs what the build and the tests need, with --qt it stops
# once Qt for Windows is built. Only apt-get runs as root (through sudo when needed).
#   CRATEFALL_WINDOWS_CACHE  where Qt for Windows is kept (/var/cache/cratefall-windows)
#   CRATEFALL_WINDOWS_BUILD  the build folder (build-windows in the clone)
#   CRATEFALL_WINDOWS_JOBS   parallel compile jobs (2)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/windows/lib.sh"

case "${1:-}" in
"") mode=build ;;
--test | --packages | --qt) mode="${1#--}" ;;
*)
    echo "usage: $0 [--test | --packages | --qt]" >&2
    exit 2
    ;;
esac
build_dir="${CRATEFALL_WINDOWS_BUILD:-$repo_root/build-windows}"

# The host's build tools and the test services (X server, window manager, robot, print spooler).
install_packages base e2e victory
install_windows_packages
[ "$mode" = packages ] && exit 0
bash "$windows_dir/qt.sh"
[ "$mode" = qt ] && exit 0
qt_prefix="$(windows_qt_prefix)"

started=$SECONDS
# Qt's own toolchain file puts Qt for Windows and the host's Qt tools in reach, then loads ours.
cmake -S "$repo_root" -B "$build_dir" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$repo_root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCRATEFALL_WERROR=ON
cmake --build "$build_dir" --parallel "$windows_jobs"
echo "Built the Windows release in $((SECONDS - started)) s:"
ls -l "$build_dir"/release/*.zip "$build_dir"/release/*-setup.exe

[ "$mode" = test ] || exit 0
started=$SECONDS
use_private_runtime_dir
trap remove_private_runtime_dir EXIT
# linux_only: tests that need what only Linux has (valgrind, CUPS's own library), each labelled
# so with its reason in its CMakeLists.txt.
# Every Wine process the tests start carries this mark, by which the run finds any left over.
export CRATEFALL_WINE_RUN="windows-$$-$SRANDOM"
ctest --test-dir "$build_dir" --output-on-failure --timeout 900 -LE linux_only
no_wine_left "$CRATEFALL_WINE_RUN"
echo "Ran the Windows tests under Wine in $((SECONDS - started)) s"
