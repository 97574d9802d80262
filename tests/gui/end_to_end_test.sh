#!/bin/bash
# Runs the real viewer as a user would (the GTK binary, or hoshiwa2.exe under wine: see
# viewer_driver.sh), in a folder named in Japanese that holds YGS_PRG.BIN:
#   1. opens it through the open dialog with the keyboard, presses か (under wine: reads the
#      controls' names as a screen reader does, with HOSHIWA2_NAMES_TEST), exports the row as
#      CSV and as text through the menu and the save dialog, opens the about box (screenshot
#      SCREENSHOT), grows the window and exits through the menu with status 0;
#   2. starts it again at the size it was left at and ends it with Esc before anything is
#      opened;
#   3. starts it from / as `hoshiwa2 FILE` and exports the か row under a bare file name, which
#      must land beside FILE;
#   4. names a missing FILE: the open message box comes up over the window, and the program
#      still ends normally;
#   5. under wine, starts it at 192 dpi (HOSHIWA2_HIGH_DPI sets another): the window must have
#      grown with the DPI; opens the file, presses か and takes SCREENSHOT-192dpi.png with the
#      about box. The prefix's DPI is set back afterwards.
# Every export must equal hoshiwa2-export's output for the same view byte for byte.
#
# usage: end_to_end_test.sh HOSHIWA2 HOSHIWA2_EXPORT DATAFILE SCREENSHOT [DATAFILE_WRITER]
# With DATAFILE_WRITER, DATAFILE is written by it first.
set -euo pipefail

source "$(dirname "$0")/viewer_driver.sh" "$@"
screenshot=$4
writer=${5:-}
[[ -z $writer ]] || { mkdir -p "$(dirname "$data")" && "$writer" "$data"; }
mkdir -p "$(dirname "$screenshot")"
failure_screenshot=${screenshot%.png}-failure.png
rm -f "$failure_screenshot"
work=$(mktemp -d)
trap 'stop_viewer; rm -rf "$work"' EXIT
folder=$work/ホシノワ用語集　フォルダ
mkdir "$folder"
cp "$data" "$folder/YGS_PRG.BIN"
cd "$folder"
# GTK's file chooser stores its settings; keep them in memory, away from dconf.
export GSETTINGS_BACKEND=memory

start_viewer
eval "$(xdotool getwindowgeometry --shell "$main")"
width_96dpi=$WIDTH
# No file name shares a beginning with another's, which the dialogs would complete it to.
open_glossary "$main" "$folder/YGS_PRG.BIN"
# The first open puts the focus in the search box; four tabs reach か.
keys "$main" Tab Tab Tab Tab space
if [[ -n ${HOSHIWA2_NAMES_TEST:-} ]]; then
  "$WINE" "$HOSHIWA2_NAMES_TEST" --gtest_brief=1 ||
    fail "controls without the names a screen reader needs"
fi
export_view "$main" c "$folder/kana-row.csv"
export_view "$main" t "$folder/text.txt"
show_about "$main" "$screenshot"
grown=$(grow_window "$main")
keys "$main" alt+f e
viewer_ends "the exit command"

start_viewer
[[ $(window_size "$main") == "$grown" ]] ||
  fail "the window is $(window_size "$main") after a restart, not the $grown it was left at"
keys "$main" Escape
viewer_ends "Esc"

# A Japanese path from the command line, in the C locale on Linux (wine itself needs UTF-8 to
# hand it over).
cd /
locale=C
[[ -z ${WINEPREFIX:-} ]] || locale=C.UTF-8
LC_ALL=$locale start_viewer "$(native_path "$folder/YGS_PRG.BIN")"
cd "$folder"
sleep 0.5
keys "$main" Tab Tab Tab Tab space
export_view "$main" c "$folder/from-command-line.csv"
keys "$main" alt+f e
viewer_ends "the exit command after hoshiwa2 FILE"

start_viewer "$(native_path "$work/missing/YGS_PRG.BIN")"
other_window() {
  local ids
  ids=$(windows_titled "$message_title" | grep -vx "$main")
  [[ -n $ids ]] && echo "${ids%%$'\n'*}"
}
message=$(until_true other_window) || fail "no message for a missing FILE"
keys "$message" Return
keys "$main" Escape
viewer_ends "Esc after the message for a missing FILE"

if [[ -n ${WINEPREFIX:-} ]]; then
  # Wine takes the system DPI from the prefix's LogPixels when a program starts.
  dpi=${HOSHIWA2_HIGH_DPI:-192}
  desktop='HKCU\Control Panel\Desktop'
  restore_dpi() { "$WINE" reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1 || true; }
  trap 'stop_viewer; restore_dpi; rm -rf "$work"' EXIT
  "$WINE" reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  start_viewer
  eval "$(xdotool getwindowgeometry --shell "$main")"
  # The layout is in dialog units, so it grows with the font; one in pixels would not.
  echo "$test_name: the window is $width_96dpi pixels wide at 96 dpi, $WIDTH at $dpi dpi"
  ((WIDTH * 96 * 10 >= width_96dpi * dpi * 9)) || fail "the window did not grow with the DPI"
  open_glossary "$main" "$folder/YGS_PRG.BIN"
  keys "$main" Tab Tab Tab Tab space
  show_about "$main" "${screenshot%.png}-${dpi}dpi.png"
  keys "$main" alt+f e
  viewer_ends "the exit command at $dpi dpi"
fi

"$exporter" --csv --row か "$folder/YGS_PRG.BIN" "$work/expected.csv"
"$exporter" --row か "$folder/YGS_PRG.BIN" "$work/expected.txt"
for export in kana-row.csv from-command-line.csv text.txt; do
  cmp "$work/expected.${export##*.}" "$folder/$export" ||
    fail "the viewer's $export differs from hoshiwa2-export's"
done
echo "$test_name: the か row's CSV and text match hoshiwa2-export's, through the menu and" \
  "after hoshiwa2 FILE"
