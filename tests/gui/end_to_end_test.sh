#!/bin/bash
# Runs the real viewer as a user would, under the current X display (Xvfb, no window manager):
# opens YGS_PRG.BIN through the GTK open dialog with the keyboard, presses か, exports CSV through
# the menu and the GTK save dialog, exits, and compares the file with hoshiwa2-export's. A second
# run is ended with Esc before anything is opened.
#
# usage: end_to_end_test.sh HOSHIWA2 HOSHIWA2_EXPORT DATAFILE SCREENSHOT [DATAFILE_WRITER]
# With DATAFILE_WRITER, DATAFILE is written by it first. The screenshot is saved as SCREENSHOT.
set -euo pipefail

viewer=$1
exporter=$2
data=$3
screenshot=$4
writer=${5:-}

test_name=end_to_end_test
source "$(dirname "$0")/viewer_driver.sh"

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

# The first open puts the focus in the search box; four tabs reach か (1004).
keys "$main" Tab Tab Tab Tab space

# ファイル(&F) → ファイルへエクスポート(&S) → CSVファイル(&C).
keys "$main" alt+f s c
dialog=$(window_of_viewer "$file_dialog_title")
keys "$dialog" ctrl+a
type_text "$dialog" "$work/out/rows.csv"
keys "$dialog" Return
window_closed "$file_dialog_title"

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

"$exporter" --csv --row か "$work/YGS_PRG.BIN" "$work/expected.csv"
cmp "$work/expected.csv" "$work/out/rows.csv" || fail "the viewer's CSV differs from hoshiwa2-export's"
echo "end_to_end_test: CSV of the か row matches ($(wc -c <"$work/out/rows.csv") bytes)"
