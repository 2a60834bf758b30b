#!/bin/bash
# Builds Qt for WebAssembly once, from Debian's own qt6-base source package (the version of the Qt
# whose host tools the build runs) with Debian's emscripten, into the cache folder; a run that
# finds it there already does nothing. Runs where Debian's emscripten is new enough (Debian 13 on):
# dev/web.sh brings it there.
# The recipe: Qt's configure options in qt_options.txt, which leave out what the game does not use
# (the page's size is what a player downloads).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# Qt's configure, and the configure of every program built with it, look for emscripten in an
# emsdk folder (EMSDK), at the path its .emscripten file names relative to the folder; Debian's
# lives in /usr/share/emscripten, with its own settings there. Kept with Qt for the game's build.
emsdk_standin() {
    local standin="$1"
    mkdir -p "$standin/upstream"
    ln -sfn /usr/share/emscripten "$standin/upstream/emscripten"
    echo "EMSCRIPTEN_ROOT = 'upstream/emscripten'" >"$standin/.emscripten"
}

build_qt() {
    local work="$web_cache/work" tree options
    rm -rf "$work" "$prefix.partial"
    fetch_debian_source qt6-base "$(dpkg-query -W -f='${Version}' qt6-base-dev)" "$work/base" "$work/apt"
    emsdk_standin "$prefix.partial/emsdk"
    export EMSDK="$prefix.partial/emsdk"
    mapfile -t options < <(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$web_dir/qt_options.txt")
    tree=$(find "$work/base" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*')
    mkdir -p "$work/build-base"
    # Each option line may hold an option and its value.
    (cd "$work/build-base" && nice "$tree/configure" ${options[*]} -qt-host-path /usr \
        -prefix "$prefix.partial" -- \
        -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
        -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake")
    nice cmake --build "$work/build-base" --parallel "$web_jobs"
    cmake --install "$work/build-base"
    mkdir -p "$prefix.partial/source"
    cp "$tree/debian/copyright" "$prefix.partial/source/qt6-base-copyright"
    dpkg-query -W -f='qt6-base ${Version}\n' qt6-base-dev >"$prefix.partial/source/debian-versions"
    cp "$web_dir/qt_options.txt" "$prefix.partial/source/"
    mv "$prefix.partial" "$prefix"
    rm -rf "$work"
}

# Whether Qt for WebAssembly is in place. It is moved there whole, so this needs no lock.
qt_built() {
    [ -f "$prefix/source/debian-versions" ] || return 1
    echo "Qt for WebAssembly is built: $prefix"
}

prefix="$(web_qt_prefix)"
qt_built && exit 0
make_web_cache
exec {lock}>"$web_cache/lock"
flock "$lock"
qt_built && exit 0
started=$SECONDS
build_qt
# Builds of an older recipe or Debian version are no longer wanted.
for old in "$web_cache"/qt6-wasm-*; do
    [ "$old" = "$prefix" ] || rm -rf "$old"
done
echo "Built Qt for WebAssembly in $((SECONDS - started)) s: $prefix"
