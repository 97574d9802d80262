#!/usr/bin/env bash
# Tests the Windows setup that cpack made in BUILD_DIR as a user meets it:
#   1. hoshiwa2-setup-VERSION.exe /S runs in a wine prefix of this test's own;
#   2. the installed files (the programs equal to the build's), the Start-menu shortcut
#      "ホシノワ用語集 Viewer" and the values of the uninstall registry key are as they should be;
#   3. the installed hoshiwa2-export.exe on the installed sample gives the Linux exporter's bytes
#      (CSV, text, UTF-8);
#   4. the uninstaller run with /S (and waited for: it runs from a copy of itself) leaves no file
#      it put in place and no registry value naming hoshiwa2.
#
# usage: setup_test.sh BUILD_DIR VERSION LINUX_EXPORTER
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
build=$1
version=$2
linux_export=$3
product="ホシノワ用語集 Viewer"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\hoshiwa2'
work=$(mktemp -d)
trap '[[ -z ${WINEPREFIX:-} ]] || "$WINESERVER" -k 2>/dev/null || true; rm -rf "$work"' EXIT
failed=0
check() { "$@" || { printf 'FAILED: %s\n' "$*" >&2; failed=1; }; }

unset DISPLAY   # a silent setup opens no window
# A prefix of this test's own, so that installing cannot disturb the other Windows tests.
use_wine_prefix "$HOSHIWA2_CACHE/wine-setup-prefix"
drive_c=$WINEPREFIX/drive_c
instdir=$drive_c/Program\ Files/hoshiwa2
shortcut=$drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/$product.lnk
# The state before: wine's own files, which the uninstall must give back.
snapshot() {
  (cd "$drive_c" && find . -path ./users -prune -o -print | sort)
  (cd "$drive_c/users" && find . -path '*/Temp' -prune -o -print | sort)
}
[[ ! -e $instdir ]] || fail "$instdir exists before the setup; remove $WINEPREFIX"
snapshot >"$work/before"

step "hoshiwa2-setup-$version.exe /S"
"$WINE" "$build/hoshiwa2-setup-$version.exe" /S
"$WINESERVER" -w
(cd "$instdir" && find . -type f | sort)
check cmp "$build/viewer/hoshiwa2.exe" "$instdir/hoshiwa2.exe"
check cmp "$build/tools/hoshiwa2-export.exe" "$instdir/hoshiwa2-export.exe"
for file in sample/YGS_PRG.BIN uninstall.exe LICENSE.txt THIRD-PARTY-NOTICES.txt; do
  check test -s "$instdir/$file"
done
# A shell link keeps its target's path.
check grep -qa 'hoshiwa2\\hoshiwa2.exe' "$shortcut"

step "The uninstall registry key"
# Exported as a .reg file (UTF-16), which keeps the Japanese name whatever the code page is.
"$WINE" reg export "$key" 'C:\users\Public\key.reg' /y >/dev/null
iconv -f UTF-16 -t UTF-8 "$drive_c/users/Public/key.reg" | tr -d '\r' | tee "$work/key"
rm "$drive_c/users/Public/key.reg"
# The value named $1 as the .reg file writes it, quotes and escapes taken off.
value() {
  sed -n "s/^\"$1\"=//p" "$work/key" | sed -e 's/^"\(.*\)"$/\1/' -e 's/\\\\/\\/g' -e 's/\\"/"/g'
}
check test "$(value DisplayName)" = "$product"
check test "$(value DisplayVersion)" = "$version"
check test "$(value Publisher)" = "The hoshiwa2 developers"
check test "$(value DisplayIcon)" = 'C:\Program Files\hoshiwa2\hoshiwa2.exe,0'
check test "$(value UninstallString)" = '"C:\Program Files\hoshiwa2\uninstall.exe"'
# EstimatedSize is in KiB: what the files take, within a few KiB.
size_kib=$((16#$(value EstimatedSize | sed 's/^dword://')))
actual_kib=$(($(find "$instdir" -type f -printf '%s+')0))
actual_kib=$((actual_kib / 1024))
check test $((size_kib - actual_kib)) -le 4 -a $((actual_kib - size_kib)) -le 4

step "The installed hoshiwa2-export.exe on the installed sample"
exe='C:\Program Files\hoshiwa2\hoshiwa2-export.exe'
check test "$("$WINE" "$exe" --version | tr -d '\r')" = "hoshiwa2-export $version"
for args in "--csv --row か" "--row か" "--csv --encoding utf-8"; do
  read -ra words <<<"$args"
  "$WINE" "$exe" "${words[@]}" 'C:\Program Files\hoshiwa2\sample\YGS_PRG.BIN' \
    "Z:${work//\//\\}\\windows.out"
  "$linux_export" "${words[@]}" "$instdir/sample/YGS_PRG.BIN" "$work/linux.out"
  check cmp "$work/linux.out" "$work/windows.out"
done

step "uninstall.exe /S"
"$WINE" 'C:\Program Files\hoshiwa2\uninstall.exe' /S || true
"$WINESERVER" -w
snapshot >"$work/after"
check diff "$work/before" "$work/after"
check test ! -e "$instdir"
check test ! -e "$shortcut"
check test -z "$(grep -il hoshiwa2 "$WINEPREFIX"/*.reg)"
((failed == 0)) && echo "setup_test: the setup installed, was used and was removed without a trace"
exit $failed
