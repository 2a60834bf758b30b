#!/bin/bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

install_packages base
build "$repo_root/build-release" -DCMAKE_BUILD_TYPE=Release -DCRATEFALL_BUILD_TESTS=OFF
exec "$repo_root/build-release/src/cratefall"
