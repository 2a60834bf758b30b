#!/bin/bash
# Builds Cratefall for the browser: Qt for WebAssembly from Debian 13's own qt6-base source with
# Debian 13's emscripten (once, into a cache folder outside the clone: dev/web/qt.sh), then the
# game, into build-web/release/: the folder a web server serves as it is, and its zip. On Debian 12,
# whose emscripten is too old, the build runs in a Debian 13 root (dev/web/in_root.sh), which needs
# root for debootstrap, mount and chroot (asked of sudo). With --test it then plays the release in
# this machine's Chromium, Firefox ESR and WebKitGTK (tests/web/); with --packages it only installs what the build and
# the tests need on this machine, with --qt it stops once Qt for WebAssembly is built.
#   CRATEFALL_WEB_CACHE  where Qt for WebAssembly is kept (/var/cache/cratefall-web)
#   CRATEFALL_WEB_BUILD  the build folder (build-web in the clone)
#   CRATEFALL_WEB_JOBS   parallel compile jobs (2)
#   CRATEFALL_ROOTS      where the Debian 13 root is kept (/var/cache/cratefall-test-on)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/web/lib.sh"

case "${1:-}" in
"") mode=build ;;
--test) mode=test && export CRATEFALL_WEB_TESTS=ON ;;
--packages) mode=packages ;;
--qt) mode=qt && export CRATEFALL_WEB_QT_ONLY=yes ;;
*)
    echo "usage: $0 [--test | --packages | --qt]" >&2
    exit 2
    ;;
esac
build_dir="${CRATEFALL_WEB_BUILD:-$repo_root/build-web}"

if [ "$mode" = packages ]; then
    if emscripten_here; then
        bash "$web_dir/build.sh" --packages
    else
        install_listed "$web_dir/root_packages.txt"
    fi
    install_listed "$web_dir/test_packages.txt"
    exit 0
elif emscripten_here; then
    bash "$web_dir/build.sh"
else
    as_root env CRATEFALL_WEB_CACHE="$web_cache" CRATEFALL_WEB_JOBS="$web_jobs" \
        CRATEFALL_WEB_TESTS="${CRATEFALL_WEB_TESTS:-OFF}" CRATEFALL_WEB_BENCH="${CRATEFALL_WEB_BENCH:-OFF}" \
        CRATEFALL_WEB_QT_ONLY="${CRATEFALL_WEB_QT_ONLY:-no}" \
        ${CRATEFALL_WEB_BUILD:+CRATEFALL_WEB_BUILD="$CRATEFALL_WEB_BUILD"} \
        ${CRATEFALL_ROOTS:+CRATEFALL_ROOTS="$CRATEFALL_ROOTS"} \
        ${CRATEFALL_MIRROR:+CRATEFALL_MIRROR="$CRATEFALL_MIRROR"} \
        setpriv --pdeathsig KILL unshare --mount --pid --fork --kill-child --propagation private \
        bash "$web_dir/in_root.sh" "$(id -u)" "$(id -g)"
fi

[ "$mode" = test ] || exit 0
install_listed "$web_dir/test_packages.txt"
bash "$repo_root/tests/web/run.sh" "$build_dir"
