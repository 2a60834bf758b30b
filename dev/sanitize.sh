#!/bin/bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs
# the whole test suite there with LeakSanitizer on. dev/test.sh runs it after the normal suite,
# with its X server already up; run on its own, it starts one and stops it afterwards.
# CRATEFALL_ASAN_BUILD may name another build directory.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

build_dir="${CRATEFALL_ASAN_BUILD:-$repo_root/build-asan}"
export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions=$repo_root/tests/exerciser/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

install_packages all
build "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCRATEFALL_WERROR=ON -DCRATEFALL_SANITIZE=ON
if [ -z "${DISPLAY:-}" ]; then
    trap stop_display EXIT
    start_display
fi
# The packaging tests check the package, which is never a sanitizer build.
ctest --test-dir "$build_dir" --output-on-failure --timeout 900 --label-exclude packaging
