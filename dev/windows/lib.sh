# Shared by the Windows build's commands: its packages, its cache folder and Qt for Windows' place
# in it.
# shellcheck shell=bash
windows_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$windows_dir/../lib.sh"

# Kept between runs and outside the clone, so that a fresh clone (CI's) finds Qt already built.
windows_cache="${CRATEFALL_WINDOWS_CACHE:-/var/cache/cratefall-windows}"
windows_jobs="${CRATEFALL_WINDOWS_JOBS:-2}"

install_windows_packages() {
    local wanted=() missing=() package
    mapfile -t wanted < <(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$windows_dir/packages.txt" | tr -d ' ')
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ "${#missing[@]}" -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=1800 update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=1800 install -y -q \
        --no-install-recommends "${missing[@]}"
}

# The cache belongs to whoever builds; root makes it once for a user who cannot.
make_windows_cache() {
    mkdir -p "$windows_cache" 2>/dev/null ||
        as_root install -d -o "$(id -u)" -g "$(id -g)" "$windows_cache"
    [ -w "$windows_cache" ] || as_root chown "$(id -u):$(id -g)" "$windows_cache"
}

# Qt for Windows is built from the source of the very Qt whose host tools build it.
debian_qt_version() {
    dpkg-query -W -f='${Version}' qt6-base-dev
}

# The recipe is Qt's options and the compilers: a change to either builds Qt again. (qt.sh's
# other steps only fetch and place; a change to how Qt is patched counts its revision up in the
# options.)
qt_recipe_hash() {
    cat "$windows_dir/qt_options.cmake" "$repo_root/cmake/mingw-w64-x86_64.cmake" |
        sha256sum | cut -c1-12
}

windows_qt_prefix() {
    echo "$windows_cache/qt6-base-$(debian_qt_version)-$(qt_recipe_hash)"
}

# wine_processes RUN: the Wine processes still running from the tests that carried that mark.
wine_processes() {
    local environ pid
    for environ in $(grep -lzx "CRATEFALL_WINE_RUN=$1" /proc/[0-9]*/environ 2>/dev/null); do
        pid=${environ#/proc/} && pid=${pid%/environ}
        [[ "$(readlink "/proc/$pid/exe" 2>/dev/null)" == */wine* ]] && echo "$pid"
    done
    return 0
}

# no_wine_left RUN: fails, naming them, when Wine processes of the tests outlive them. They are
# given the few seconds their reaper takes to notice their server is gone.
no_wine_left() {
    local until=$((SECONDS + 15)) left
    while left=$(wine_processes "$1") && [ -n "$left" ]; do
        [ "$SECONDS" -lt "$until" ] && sleep 0.2 && continue
        echo "Wine processes outlived the tests that started them:" >&2
        ps -o pid,args -p "$(paste -sd, <<<"$left")" >&2
        return 1
    done
}
