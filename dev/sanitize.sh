#!/bin/bash
# Builds the game and the tests that run its code in-process (the logic, screens, pictures,
# victory and exerciser layers, fault paths included) with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/, and runs them there with LeakSanitizer on. The
# end-to-end and packaging tests would only check again what the normal run checks.
# CRATEFALL_ASAN_BUILD may name another build directory.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

build_dir="${CRATEFALL_ASAN_BUILD:-$repo_root/build-asan}"
export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions=$repo_root/tests/exerciser/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

install_packages tests
build "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCRATEFALL_WERROR=ON -DCRATEFALL_SANITIZE=ON \
    -DCRATEFALL_BUILD_BENCH=OFF -DCRATEFALL_TEST_LAYERS="logic;screens;pictures;victory;exerciser"
use_private_runtime_dir
trap remove_private_runtime_dir EXIT
# All on the offscreen platform: no X server needed.
ctest --test-dir "$build_dir" --output-on-failure --timeout 900
