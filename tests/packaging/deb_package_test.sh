#!/bin/bash
# Checks the Debian package in BUILD_DIR as a user gets it (as root): lintian reports no error;
# it installs; from PATH, hoshiwa2-export --version names the package's version and exports the
# installed sample as the build's exporter does, and hoshiwa2 --version answers without a
# display; xdg-mime gives the glossary type for YGS_PRG.BIN and ygs_prg.bin and the desktop entry
# as its default; after a purge none of its files is left. The package is purged whatever
# happens once it is installed.
#
# usage: deb_package_test.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
build=$1
id=io.github.hoshiwa2.Viewer
type=application/x-hoshiwa2-glossary

deb=$(compgen -G "$build/hoshiwa2_*_amd64.deb") ||
  fail "no package: run cpack --preset release-package"
dpkg-deb --field "$deb" Package Version Depends Recommends Installed-Size
version=$(dpkg-deb --field "$deb" Version)
step "lintian"
lintian --info --display-info "$deb" 2>/dev/null | tee "$build/lintian.log" || true
! grep -q '^E: ' "$build/lintian.log" || fail "lintian reports errors"

dpkg-query -W hoshiwa2 >/dev/null 2>&1 && fail "hoshiwa2 is already installed; purge it first"
work=$(mktemp -d)
trap 'dpkg --purge hoshiwa2 >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
step "dpkg -i ${deb##*/}"
dpkg -i "$deb"
dpkg -L hoshiwa2 >"$work/files"

step "The programs from PATH"
installed() { env -u DISPLAY -u WAYLAND_DISPLAY PATH=/usr/bin:/bin "$@"; }
[[ $(installed hoshiwa2-export --version) == "hoshiwa2-export $version" ]] ||
  fail "hoshiwa2-export --version"
[[ $(installed hoshiwa2 --version) == "hoshiwa2 $version" ]] || fail "hoshiwa2 --version"
sample=/usr/share/hoshiwa2/sample/YGS_PRG.BIN
installed hoshiwa2-export --csv --encoding utf-8 --row か "$sample" - >"$work/installed.csv"
"$build/tools/hoshiwa2-export" --csv --encoding utf-8 --row か "$sample" "$work/build.csv"
cmp "$work/installed.csv" "$work/build.csv" || fail "the installed exporter's output differs"

step "The desktop database"
for name in YGS_PRG.BIN ygs_prg.bin; do
  cp "$sample" "$work/$name"
  [[ $(xdg-mime query filetype "$work/$name") == "$type" ]] || fail "$name is not $type"
done
[[ $(xdg-mime query default "$type") == "$id.desktop" ]] || fail "no default application"
grep -q "^$type=.*$id.desktop" /usr/share/applications/mimeinfo.cache || fail "mimeinfo.cache"
grep -q "ygs_prg.bin" /usr/share/mime/globs2 || fail "the MIME database has no glob"
[[ -f /usr/share/icons/hicolor/48x48/apps/$id.png ]] || fail "no 48px icon"

step "dpkg --purge hoshiwa2"
dpkg --purge hoshiwa2
while read -r path; do
  [[ ! -f $path && ! -L $path ]] || fail "left after purge: $path"
done <"$work/files"
for left in /usr/share/hoshiwa2 /usr/share/doc/hoshiwa2; do
  [[ ! -e $left ]] || fail "left after purge: $left"
done
! grep -q hoshiwa2 /usr/share/mime/globs2 || fail "the MIME database still knows the type"
! grep -qs "$id" /usr/share/applications/mimeinfo.cache || fail "the desktop database lists it"
echo "deb_package_test: ${deb##*/} installed, used and purged without a trace"
