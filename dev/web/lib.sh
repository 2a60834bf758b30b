# Shared by the browser build's commands: the packages, the cache folder and where Qt for
# WebAssembly is kept in it.
# shellcheck shell=bash
web_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$web_dir/../lib.sh"

# Kept between runs and outside the clone, so that a fresh clone (CI's) finds Qt already built.
web_cache="${CRATEFALL_WEB_CACHE:-/var/cache/cratefall-web}"
web_jobs="${CRATEFALL_WEB_JOBS:-2}"
# The Debian release whose emscripten and Qt build the browser release.
web_release=trixie

# install_listed FILE: installs what the list names and the machine lacks.
install_listed() {
    local wanted=() missing=() package
    mapfile -t wanted < <(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$1" | tr -d ' ')
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

# Whether this machine's own archive has an emscripten new enough for Qt 6.8 (Debian 13 on).
emscripten_here() {
    local candidate
    candidate=$(apt-cache policy emscripten 2>/dev/null | sed -n 's/^ *Candidate: //p')
    [ -n "$candidate" ] && [ "$candidate" != "(none)" ] &&
        dpkg --compare-versions "$candidate" ge 3.1.50
}

# The cache belongs to whoever builds; root makes it once for a user who cannot.
make_web_cache() {
    mkdir -p "$web_cache" 2>/dev/null ||
        as_root install -d -o "$(id -u)" -g "$(id -g)" "$web_cache"
    [ -w "$web_cache" ] || as_root chown "$(id -u):$(id -g)" "$web_cache"
}

# The recipe is Qt's configure options; Debian's Qt and emscripten versions name the build too.
web_qt_prefix() {
    local versions
    versions="$(dpkg-query -W -f='${Version}' qt6-base-dev)-em$(dpkg-query -W -f='${Version}' emscripten)"
    echo "$web_cache/qt6-wasm-${versions//[~+:]/_}-$(sha256sum <"$web_dir/qt_options.txt" | cut -c1-12)"
}
