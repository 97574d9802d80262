#!/bin/bash
# Installs the build into a folder of its own (`cmake --install --prefix`) and checks what a
# user's system gets: exactly the expected files, each accepted by its own freedesktop linter
# (desktop-file-validate, appstreamcli, update-mime-database, groff and lexgrog for the man
# pages), every icon size drawn, the newest release being the project's version, and the
# installed programs answering --version, --help and a bad option without a display.
#
# usage: installed_tree_test.sh BUILD_DIR VERSION
set -euo pipefail

build=$1
version=$2
id=io.github.hoshiwa2.Viewer
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failed=0
fail() {
    echo "installed_tree_test: $*" >&2
    failed=1
}

cmake --install "$build" --prefix "$root" >/dev/null

# Nothing more and nothing less: no test, benchmark, fuzzer or helper tool.
sizes=(16 22 24 32 48 64 128 256 512)
expected=(bin/hoshiwa2 bin/hoshiwa2-export share/applications/$id.desktop
          share/metainfo/$id.metainfo.xml share/mime/packages/$id.xml
          share/icons/hicolor/scalable/apps/$id.svg share/man/man1/hoshiwa2.1.gz
          share/man/man1/hoshiwa2-export.1.gz share/hoshiwa2/sample/YGS_PRG.BIN
          share/doc/hoshiwa2/copyright share/doc/hoshiwa2/changelog.gz)
for size in "${sizes[@]}"; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f | sed 's|^\./||' | sort) ||
    fail "the installed files differ from the list above (< expected, > installed)"

desktop-file-validate "$root/share/applications/$id.desktop" || fail "desktop entry"
grep -qx "Exec=hoshiwa2 %f" "$root/share/applications/$id.desktop" || fail "Exec line"
grep -qx "Icon=$id" "$root/share/applications/$id.desktop" || fail "Icon line"
appstreamcli validate --no-net --pedantic "$root/share/metainfo/$id.metainfo.xml" >"$root/as.log" ||
    { cat "$root/as.log" >&2; fail "metainfo"; }
# The newest release is listed first.
grep -m1 -o '<release version="[^"]*"' "$root/share/metainfo/$id.metainfo.xml" |
    grep -qF "\"$version\"" || fail "the metainfo's newest release is not $version"
zcat "$root/share/doc/hoshiwa2/changelog.gz" | head -n 1 | grep -qF "hoshiwa2 ($version)" ||
    fail "the changelog's newest entry is not $version"

# The type's glob, compiled by the same tool the package triggers: any letter case, so no
XDG_DATA_DIRS=$root/share update-mime-database "$root/share/mime"
# "cs" flag; the database then keeps the glob in lower case.
grep -qx "80:application/x-hoshiwa2-glossary:ygs_prg.bin" "$root/share/mime/globs2" ||
    fail "no case-insensitive glob in globs2: $(grep hoshiwa2 "$root/share/mime/globs2")"

for page in "$root"/share/man/man1/*.1.gz; do
    warnings=$(zcat "$page" | groff -ww -z -man -Tutf8 2>&1) || fail "groff failed on $page"
    [[ -z $warnings ]] || fail "groff warns on $(basename "$page"): $warnings"
    lexgrog "$page" >/dev/null || fail "lexgrog cannot read the NAME section of $page"
done

for size in "${sizes[@]}"; do
    file "$root/share/icons/hicolor/${size}x${size}/apps/$id.png" |
        grep -q "PNG image data, $size x $size," || fail "the ${size}px icon is not ${size}x${size}"
done

# The programs as installed, with no display at all.
for program in hoshiwa2 hoshiwa2-export; do
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/bin/$program" --version) ||
        fail "$program --version failed"
    [[ $out == "$program $version" ]] || fail "$program --version printed \"$out\""
    env -u DISPLAY -u WAYLAND_DISPLAY "$root/bin/$program" --help | grep -q "^usage: $program" ||
        fail "$program --help"
    status=0
    err=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/bin/$program" --no-such-option 2>&1 >/dev/null) ||
        status=$?
    ((status == 2)) || fail "$program --no-such-option exited $status, not 2"
    [[ $err == "usage: $program"* ]] || fail "$program --no-such-option: no usage on stderr"
done

((failed == 0)) && echo "installed_tree_test: ${#expected[@]} files installed and valid"
exit $failed
