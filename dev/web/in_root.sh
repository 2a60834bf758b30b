#!/bin/bash
# The browser build on a machine whose own Debian has no emscripten new enough (Debian 12): run by
# dev/web.sh as root, as the first process of a mount and a PID namespace of its own, it builds in a
# Debian 13 root kept in $CRATEFALL_ROOTS (a copy of dev/test_on.sh's minimal root with the build's
# packages added), as the user who asked for it, on the clone and the cache folder mounted there at
# their own paths. Every mount and process goes when it ends.
#   in_root.sh USER_ID GROUP_ID
set -euo pipefail
user_id="$1"
group_id="$2"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$repo_root/dev/roots.sh"

# This namespace's own /proc: what runs here is all that kill and ps see.
mount -t proc proc /proc

base_root "$web_release"
root="$roots_cache/web-$web_release"
if [ ! -d "$root" ]; then
    rm -rf "$root.new"
    cp -a "$base" "$root.new"
    mv "$root.new" "$root"
fi
mount_system "$root"
mount -t tmpfs -o mode=1777 tmpfs "$root/tmp"
install -d -o "$user_id" -g "$group_id" "$web_cache"
for shared in "$repo_root" "$web_cache"; do
    mkdir -p "$root$shared"
    mount --bind "$shared" "$root$shared"
done

# Root only adds the packages; the build is the user's.
chroot "$root" bash "$repo_root/dev/web/build.sh" --packages
chroot "$root" setpriv --reuid="$user_id" --regid="$group_id" --clear-groups \
    env -i HOME=/tmp PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 \
    CRATEFALL_WEB_CACHE="$web_cache" CRATEFALL_WEB_JOBS="$web_jobs" \
    CRATEFALL_WEB_TESTS="${CRATEFALL_WEB_TESTS:-OFF}" CRATEFALL_WEB_BENCH="${CRATEFALL_WEB_BENCH:-OFF}" \
    CRATEFALL_WEB_QT_ONLY="${CRATEFALL_WEB_QT_ONLY:-no}" \
    ${CRATEFALL_WEB_BUILD:+CRATEFALL_WEB_BUILD="$CRATEFALL_WEB_BUILD"} \
    bash "$repo_root/dev/web/build.sh"
