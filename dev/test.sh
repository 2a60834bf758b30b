#!/bin/bash
# Installs what is missing, builds with warnings as errors and runs the whole test suite against
# real X servers, window managers and print spoolers (each test that needs one starts its own),
# then the sanitizer pass. Only apt-get runs as root (through sudo when needed); the tests run as
# the invoking user and write nothing outside the build trees and their own temporary folders.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

install_packages tests
build "$repo_root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCRATEFALL_WERROR=ON \
    -DCRATEFALL_BUILD_BENCH=OFF
use_private_runtime_dir
trap remove_private_runtime_dir EXIT
ctest --test-dir "$repo_root/build" --output-on-failure --timeout 600
bash "$repo_root/dev/sanitize.sh"
