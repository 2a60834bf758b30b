#!/bin/bash
# Builds the browser release where Debian's emscripten is new enough (Debian 13 on): the packages,
# Qt for WebAssembly (once, dev/web/qt.sh), then the game with warnings as errors, and the release
# folder and its zip in build-web/release/, and with CRATEFALL_WEB_TESTS=ON the end-to-end entry
# the browser tests play (with CRATEFALL_WEB_BENCH=ON the bare window bench/web.sh compares
# with). With --packages it only installs the packages.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

install_listed "$web_dir/packages.txt"
[ "${1:-}" = --packages ] && exit 0
bash "$web_dir/qt.sh"
[ "${CRATEFALL_WEB_QT_ONLY:-no}" = yes ] && exit 0
qt_prefix="$(web_qt_prefix)"
export EMSDK="$qt_prefix/emsdk"
build_dir="${CRATEFALL_WEB_BUILD:-$repo_root/build-web}"

started=$SECONDS
# A build made with another Qt for WebAssembly (an older recipe) cannot be reconfigured in place.
if [ -f "$build_dir/CMakeCache.txt" ] && ! grep -q "^CMAKE_TOOLCHAIN_FILE.*$qt_prefix/" "$build_dir/CMakeCache.txt"; then
    rm -rf "$build_dir"
fi
# Qt's own toolchain file brings emscripten's, and the host's Qt tools.
cmake -S "$repo_root" -B "$build_dir" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DCRATEFALL_WERROR=ON -DCRATEFALL_BUILD_TESTS="${CRATEFALL_WEB_TESTS:-OFF}" \
    -DCRATEFALL_BUILD_BENCH="${CRATEFALL_WEB_BENCH:-OFF}"
cmake --build "$build_dir" --parallel "$web_jobs"
echo "Built the browser release in $((SECONDS - started)) s:"
ls -l "$build_dir"/release/
