# shellcheck shell=bash
# What the project's shell scripts share: step/fail messages, the cache folder, the package
# check and the wine prefix. Sourced, never run.

HOSHIWA2_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
HOSHIWA2_CACHE=${HOSHIWA2_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/hoshiwa2}
# Debian's wine64 keeps its launcher off PATH.
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64

step() { printf '\n== %s\n' "$*"; }
# Says what failed and ends the script, leaving a picture of the display in $failure_screenshot
# first when the script sets it.
fail() {
  [[ -z ${failure_screenshot:-} ]] || import -window root "$failure_screenshot" 2>/dev/null || true
  printf '%s: %s\n' "${test_name:-$(basename "$0")}" "$*" >&2
  exit 1
}

# The packages of $@ that are not installed, one a line.
missing_packages() {
  comm -23 <(printf '%s\n' "$@" | sort -u) <(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' |
    sed -n 's/^ii  *//p' | sort -u)
}

# Points wine at the prefix $1 (created on first use, shared by every caller with the same
# prefix): headless unless a display is set, code page 1252 (nothing leans on a Japanese one),
# the Windows UI fonts linked to Noto Sans CJK as a Japanese Windows links them, and no window
# manager needed (wine draws captions and frames itself).
use_wine_prefix() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
  [[ -f $WINEPREFIX/.hoshiwa2-ready ]] && return
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    [[ -f $WINEPREFIX/.hoshiwa2-ready ]] && exit 0
    DISPLAY= "$WINE" wineboot --init
    local font key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
    for font in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Segoe UI"; do
      DISPLAY= "$WINE" reg add "$key" /v "$font" /t REG_MULTI_SZ \
        /d 'NotoSansCJK-Regular.ttc,Noto Sans CJK JP' /f >/dev/null
    done
    ln -sf /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
    DISPLAY= "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N \
      /f >/dev/null
    "$WINESERVER" -w
    touch "$WINEPREFIX/.hoshiwa2-ready"
  ) 9>"$WINEPREFIX.lock"
}
