#!/bin/bash
# Builds the Debian package from an already built tree: build_deb.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail
build_dir="$1"
output_dir="$2"

rm -rf "$output_dir"
mkdir -p "$output_dir"
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$output_dir"
shopt -s nullglob
packages=("$output_dir"/cratefall_*.deb)
if [ "${#packages[@]}" -ne 1 ]; then
    echo "expected one cratefall_*.deb in $output_dir, found ${#packages[@]}" >&2
    exit 1
fi
echo "built ${packages[0]}"
