#!/bin/bash
# Builds Qt for Windows once, from Debian's own qt6-base source package (the version of the host's
# Qt, whose tools the cross build runs), into the cache folder; a run that finds it there already
# does nothing. Debian's apt sources are left as they are: the source comes through a private list
# of the same Debian mirrors.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

fetch_source() {
    rm -rf "$source_dir"
    fetch_debian_source qt6-base "$version" "$source_dir" "$windows_cache/apt"
}

# Debian's source leaves out src/3rdparty/wintab, which the Windows platform plugin includes for
# pen tablets; Wine's LGPL headers declare the same API, given the few macros of Wine's own
# headers they use and Wacom's calling convention name. The change is kept as a patch, which the
# release ships beside Qt's licence.
patch_source() {
    local tree="$1" pristine="$source_dir/pristine"
    mkdir -p "$pristine/qtbase/src/3rdparty" "$tree/src/3rdparty/wintab"
    cp /usr/include/wine/wine/windows/pktdef.h "$tree/src/3rdparty/wintab/"
    sed '/^#define __WINE_WINTAB_H/r /dev/stdin' /usr/include/wine/wine/windows/wintab.h \
        >"$tree/src/3rdparty/wintab/wintab.h" <<'MACROS'

/* For mingw-w64, whose headers lack what Wine's and Wacom's have (added for Qt's build). */
#ifndef WINELIB_NAME_AW
# ifdef UNICODE
#  define WINELIB_NAME_AW(name) name##W
# else
#  define WINELIB_NAME_AW(name) name##A
# endif
#endif
#ifndef DECL_WINELIB_TYPE_AW
# define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;
#endif
#ifndef API
# define API WINAPI
#endif
MACROS
    # Qt 6.8 and newer describe each bundled library in its folder, and stop at one without.
    cat >"$tree/src/3rdparty/wintab/qt_attribution.json" <<ATTRIBUTION
{
    "Id": "wintab",
    "Name": "Wintab API headers, from Wine",
    "QDocModule": "qtgui",
    "QtUsage": "Used in the Windows platform plugin for pen tablets.",
    "Description": "Wine's wintab.h and pktdef.h, given a few macros of Wine's own headers.",
    "Homepage": "https://www.winehq.org/",
    "Version": "$(dpkg-query -W -f='${Version}' libwine-dev)",
    "License": "GNU Lesser General Public License v2.1 or later",
    "LicenseId": "LGPL-2.1-or-later",
    "Copyright": ["Copyright (C) 1991-1998 by LCS/Telegraphics", "Copyright (C) 2002 Patrik Stridvall"]
}
ATTRIBUTION
    (cd "$source_dir" && diff -ruN pristine/qtbase/src/3rdparty/wintab \
        "qtbase/src/3rdparty/wintab" || true) >"$source_dir/wintab.patch"
}

build_qt() {
    local tree
    tree=$(find "$source_dir" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*')
    mv "$tree" "$source_dir/qtbase"
    tree="$source_dir/qtbase"
    patch_source "$tree"
    rm -rf "$prefix.partial" "$windows_cache/build"
    nice cmake -S "$tree" -B "$windows_cache/build" -G Ninja \
        -C "$windows_dir/qt_options.cmake" \
        -DCMAKE_TOOLCHAIN_FILE="$repo_root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_INSTALL_PREFIX="$prefix.partial" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake"
    nice cmake --build "$windows_cache/build" --parallel "$windows_jobs"
    cmake --install "$windows_cache/build"
    mkdir -p "$prefix.partial/source"
    cp "$source_dir/wintab.patch" "$prefix.partial/source/qt6-base-windows.patch"
    echo "$version" >"$prefix.partial/source/debian-version"
    mv "$prefix.partial" "$prefix"
    rm -rf "$windows_cache/build" "$source_dir"
}

# qt_built: whether Qt for Windows is in place. It is moved there whole, so this needs no lock,
# and a cache its user may only read (another user's, or one lent to a test root) does.
qt_built() {
    [ -f "$prefix/source/debian-version" ] || return 1
    echo "Qt for Windows is built: $prefix"
}

install_windows_packages
prefix="$(windows_qt_prefix)"
version="$(debian_qt_version)"
qt_built && exit 0
make_windows_cache
exec {lock}>"$windows_cache/lock"
flock "$lock"
qt_built && exit 0
source_dir="$windows_cache/source"
started=$SECONDS
fetch_source
build_qt
# Builds of an older recipe or Debian version are no longer wanted.
for old in "$windows_cache"/qt6-base-*; do
    [ "$old" = "$prefix" ] || rm -rf "$old"
done
echo "Built Qt for Windows in $((SECONDS - started)) s: $prefix"
