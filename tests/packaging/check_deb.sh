#!/bin/bash
# Lints the built package and checks what a player's system needs from it:
# check_deb.sh OUTPUT_DIR APP_ID ICON_SIZE...
set -euo pipefail
output_dir="$1"
app_id="$2"
shift 2
package=$(echo "$output_dir"/cratefall_*.deb)
failures=0
source "$(dirname "${BASH_SOURCE[0]}")/../../dev/lib.sh"
held_dir cratefall-deb-check
scratch="$held"
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

field_has() {
    local field="$1" pattern="$2" value
    value=$(dpkg-deb -f "$package" "$field")
    grep -Eq -- "$pattern" <<<"$value" || fail "$field is '$value', wanted it to match '$pattern'"
}

# Debian tolerates warnings from lintian, never errors. Its temporary files, which it leaves
# behind, go to our own folder.
lintian_status=0
lintian_output=$(TMPDIR="$scratch" lintian --tag-display-limit 0 --fail-on error "$package" 2>&1) ||
    lintian_status=$?
echo "$lintian_output"
[ "$lintian_status" -eq 0 ] && ! grep -q '^E: ' <<<"$lintian_output" ||
    fail "lintian reports errors (status $lintian_status)"

field_has Package '^cratefall$'
field_has Section '^games$'
field_has Maintainer '^.+ <.+@.+>$'
field_has Homepage '^https://'
field_has Depends '(^|, )fonts-liberation2(,|$)'
# Found by dpkg-shlibdeps from the binary itself, not listed by hand.
field_has Depends 'libqt6widgets6'
field_has Depends 'libc6 \(>= '
field_has Recommends '(^|, )qt6-wayland(,|$)'
field_has Description '^arcade game'

contents=$(dpkg-deb -c "$package" | awk '{print $NF}')
expect_file() {
    grep -qx -- "./$1" <<<"$contents" || fail "the package lacks /$1"
}
expect_file usr/bin/cratefall
expect_file "usr/share/applications/$app_id.desktop"
expect_file "usr/share/metainfo/$app_id.metainfo.xml"
expect_file usr/share/man/man6/cratefall.6.gz
expect_file usr/share/doc/cratefall/copyright
expect_file usr/share/doc/cratefall/changelog.gz
for size in "$@"; do
    expect_file "usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
done

# The three must name one another by the one id, or the menu shows no icon or no details.
unpacked="$scratch/root"
dpkg-deb -x "$package" "$unpacked"
entry="$unpacked/usr/share/applications/$app_id.desktop"
metainfo="$unpacked/usr/share/metainfo/$app_id.metainfo.xml"
if [ -f "$entry" ] && [ -f "$metainfo" ]; then
    grep -qx "Icon=$app_id" "$entry" || fail "the desktop entry's Icon is not $app_id"
    grep -q "<id>$app_id</id>" "$metainfo" || fail "the metainfo id is not $app_id"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "the metainfo does not launch $app_id.desktop"
fi
case "$(file -b "$unpacked/usr/bin/cratefall")" in
*"not stripped"*) fail "the installed binary still carries its symbols" ;;
*ELF*stripped*) ;;
*) fail "/usr/bin/cratefall is not a stripped program" ;;
esac

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "package checks passed"
