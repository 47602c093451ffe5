#!/usr/bin/env bash
# The .deb that cpack makes from BUILD_DIR: its control fields and files, and dpkg installing
# it into a throwaway root, where the installed program runs.
#   deb_test.sh BUILD_DIR
set -euo pipefail
build=$1
case_name=deb_package
source "$(dirname "$0")/../e2e/lib.sh"

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/pkg" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$work/cpack.log")"
deb=$(ls "$work"/pkg/dicefeeder_*_amd64.deb)

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = dicefeeder ] || fail "Package: $(field Package)"
for library in libc6 libx11-6 libxtst6 libx11-xcb1 libxcb1; do
    field Depends | grep -qw "$library" || fail "Depends lacks $library: $(field Depends)"
done
! field Depends | grep -q libstdc || fail "Depends names libstdc++, which is linked in"
files=$(dpkg-deb --contents "$deb" | awk '{ print $6 }')
for path in ./usr/bin/dicefeeder ./usr/share/man/man1/dicefeeder.1.gz \
    ./usr/share/doc/dicefeeder/copyright ./usr/share/doc/dicefeeder/changelog.gz; do
    grep -qx -- "$path" <<<"$files" || fail "the package lacks $path"
done

root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-script-chrootless --log=/dev/null -i "$deb" \
    >"$work/dpkg.log" 2>&1 || fail "dpkg failed: $(cat "$work/dpkg.log")"
dpkg --root="$root" -s dicefeeder | grep -qx 'Status: install ok installed' ||
    fail "dpkg does not list it as installed"
zcat "$root/usr/share/man/man1/dicefeeder.1.gz" | grep -q '^\.TH DICEFEEDER 1' ||
    fail "the man page is not a man page"

# The installed program, with no dice file and no terminal: its one line, status 0.
status=0
(cd "$work/run" && exec timeout 5 setsid -w "$root/usr/bin/dicefeeder" >"$work/out" </dev/null) ||
    status=$?
[ "$status" = 0 ] || fail "the installed dicefeeder ended with status $status"
expect_output "Can't open dice file\n"
echo "ok ($case_name)"
