# Minimal Debian roots of other releases, made with debootstrap and kept in $CRATEFALL_ROOTS:
# dev/test_on.sh tests in fresh copies of them, dev/web.sh builds the browser release in one.
# Everything here runs as root.
# shellcheck shell=bash

roots_cache="${CRATEFALL_ROOTS:-/var/cache/cratefall-test-on}"

# The first deb URI of the machine's own apt sources that is not a security or updates archive.
machine_mirror() {
    apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 2>/dev/null |
        awk '$2 !~ /-(security|updates)$/ { print $1; exit }'
}

# base_root RELEASE: the minimal root of that release (debootstrap --variant=minbase, sudo and a
# user "player" who may use it), made from the mirror this machine's apt uses the first time it
# is asked for; its path in $base.
base_root() {
    local release="$1" mirror script="" lock
    base="$roots_cache/$release"
    mkdir -p "$roots_cache"
    [ -d "$base" ] && return 0
    exec {lock}>"$roots_cache/$release.lock"
    flock "$lock"
    [ -d "$base" ] && { exec {lock}>&-; return 0; }
    mirror="${CRATEFALL_MIRROR:-$(machine_mirror)}"
    [ -n "$mirror" ] || { echo "no mirror found in this machine's apt sources" >&2; exit 1; }
    command -v debootstrap >/dev/null || apt-get install -y -q --no-install-recommends debootstrap
    # An older debootstrap has no script for a code name newer than itself; testing's is the
    # same as sid's.
    [ -e "/usr/share/debootstrap/scripts/$release" ] || script=/usr/share/debootstrap/scripts/sid
    echo "Making a minimal $release root from $mirror in $base"
    rm -rf "$base.new"
    debootstrap --variant=minbase --include=sudo "$release" "$base.new" "$mirror" $script
    # A mirror that is a snapshot serves Release files whose Valid-Until has passed.
    echo 'Acquire::Check-Valid-Until "false";' >"$base.new/etc/apt/apt.conf.d/99cratefall-snapshot"
    chroot "$base.new" useradd --create-home --shell /bin/bash player
    echo 'player ALL=(ALL) NOPASSWD: ALL' >"$base.new/etc/sudoers.d/player"
    chmod 0440 "$base.new/etc/sudoers.d/player"
    chroot "$base.new" apt-get clean
    mv "$base.new" "$base"
    exec {lock}>&-
}

# mount_system ROOT: the kernel file systems and devices a Debian system expects, mounted into a
# root (in a mount namespace of the caller's, which takes them away when it ends), and the
# machine's name and name servers.
mount_system() {
    local root="$1" node
    mount -t proc proc "$root/proc"
    mount -t sysfs -o ro sysfs "$root/sys"
    mount -t tmpfs -o mode=0755 tmpfs "$root/dev"
    for node in null zero full random urandom tty; do
        touch "$root/dev/$node"
        mount --bind "/dev/$node" "$root/dev/$node"
    done
    mkdir "$root/dev/pts" "$root/dev/shm"
    mount -t devpts -o newinstance,ptmxmode=0666,mode=0620 devpts "$root/dev/pts"
    mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
    ln -s pts/ptmx "$root/dev/ptmx"
    ln -s /proc/self/fd "$root/dev/fd"
    ln -s /proc/self/fd/0 "$root/dev/stdin"
    ln -s /proc/self/fd/1 "$root/dev/stdout"
    ln -s /proc/self/fd/2 "$root/dev/stderr"
    mount -t tmpfs -o mode=0755 tmpfs "$root/run"
    rm -f "$root/etc/resolv.conf"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    # The root shares this machine's host name, which sudo looks up.
    grep -q " $(hostname)\$" "$root/etc/hosts" || echo "127.0.1.1 $(hostname)" >>"$root/etc/hosts"
}
