#!/bin/bash
# Runs the real viewer as a user would, under the current X display (Xvfb, no window manager):
# opens YGS_PRG.BIN through the GTK open dialog with the keyboard, presses か, exports CSV through
# the menu and the GTK save dialog, exits, and compares the file with hoshiwa2-export's. A second
# run is ended with Esc before anything is opened. A third is started from / as `hoshiwa2 FILE`:
# the か row is exported under a bare file name, which must land beside FILE (FILE's folder is
# the current directory). A fourth names a missing FILE: the open message box comes up over the
# window, and the program still ends normally.
#
# usage: end_to_end_test.sh HOSHIWA2 HOSHIWA2_EXPORT DATAFILE SCREENSHOT [DATAFILE_WRITER]
# With DATAFILE_WRITER, DATAFILE is written by it first. The screenshot is saved as SCREENSHOT.
set -euo pipefail

source "$(dirname "$0")/viewer_driver.sh" "$@"
screenshot=$4
writer=${5:-}

if [[ -n "$writer" ]]; then
    mkdir -p "$(dirname "$data")"
    "$writer" "$data"
fi

work=$(mktemp -d)
trap 'stop_viewer; rm -rf "$work"' EXIT

cp "$data" "$work/YGS_PRG.BIN"
mkdir "$work/out"

cd "$work"
# GTK's file chooser stores its settings; keep them in memory, away from dconf.
export GSETTINGS_BACKEND=memory
start_viewer
main=$(window_of_viewer '')
open_glossary "$main" "$work/YGS_PRG.BIN"

# The first open puts the focus in the search box; four tabs reach か.
keys "$main" Tab Tab Tab Tab space

# ファイル(&F) → ファイルへエクスポート(&S) → CSVファイル(&C).
keys "$main" alt+f s c
dialog=$(window_of_viewer "$save_dialog_title")
keys "$dialog" ctrl+a
type_text "$dialog" "$work/out/rows.csv"
keys "$dialog" Return
window_closed "$save_dialog_title"

xdotool windowfocus --sync "$main"
sleep 0.5
import -window root "$screenshot"

# ファイル(&F) → 用語集Viewerを終了(&E) ends the program with status 0.
keys "$main" alt+f e
viewer_ends "the exit command"

# Esc ends the program too, also while every control is still disabled.
start_viewer
main=$(window_of_viewer '')
keys "$main" Escape
viewer_ends "Esc"

# hoshiwa2 FILE, started elsewhere: the list is there at once, with the focus in the search box.
(cd / && exec "$viewer" "$work/YGS_PRG.BIN") &
viewer_pid=$!
main=$(window_of_viewer '')
sleep 0.5
keys "$main" Tab Tab Tab Tab space
keys "$main" alt+f s c
dialog=$(window_of_viewer "$save_dialog_title")
keys "$dialog" ctrl+a
type_text "$dialog" "from-command-line.csv"
keys "$dialog" Return
window_closed "$save_dialog_title"
keys "$main" alt+f e
viewer_ends "the exit command after hoshiwa2 FILE"

# hoshiwa2 MISSING: the open message box (the viewer's second window) comes up by itself.
start_viewer "$work/missing/YGS_PRG.BIN"
main=$(window_of_viewer '')
message=
for _ in $(seq 100); do
    message=$(xdotool search --all --onlyvisible --pid "$viewer_pid" --name '' | grep -vx "$main" |
        head -n 1) || true
    [[ -z $message ]] || break
    sleep 0.1
done
[[ -n $message ]] || fail "no message for a missing FILE"
keys "$message" Return
keys "$main" Escape
viewer_ends "Esc after the message for a missing FILE"

"$exporter" --csv --row か "$work/YGS_PRG.BIN" "$work/expected.csv"
for csv in "$work/out/rows.csv" "$work/from-command-line.csv"; do
    cmp "$work/expected.csv" "$csv" || fail "the viewer's CSV $csv differs from hoshiwa2-export's"
done
echo "end_to_end_test: CSV of the か row matches ($(wc -c <"$work/out/rows.csv") bytes)," \
    "through the menu and after hoshiwa2 FILE"
