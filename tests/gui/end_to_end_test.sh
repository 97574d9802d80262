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

viewer=$1
exporter=$2
data=$3
screenshot=$4
writer=${5:-}

if [[ -z "${DISPLAY:-}" ]]; then
    echo "end_to_end_test: no display; run it under xvfb-run" >&2
    exit 1
fi
if [[ -n "$writer" ]]; then
    mkdir -p "$(dirname "$data")"
    "$writer" "$data"
fi

work=$(mktemp -d)
viewer_pid=
cleanup() {
    if [[ -n "$viewer_pid" ]] && kill -0 "$viewer_pid" 2>/dev/null; then
        kill "$viewer_pid"
    fi
    rm -rf "$work"
}
trap cleanup EXIT

cp "$data" "$work/YGS_PRG.BIN"
mkdir "$work/out"

# The viewer's visible windows whose title matches the regular expression $1 (empty: all).
# Titles are read from _NET_WM_NAME: under the C locale GTK gives a Japanese title no WM_NAME,
# which is all that xdotool's own --name searches.
viewer_windows() {
    local id
    for id in $(xdotool search --all --onlyvisible --pid "$viewer_pid" 2>/dev/null); do
        if [[ -z "$1" ]] || xdotool getwindowname "$id" 2>/dev/null | grep -qE "$1"; then
            echo "$id"
        fi
    done
}

# Waits (at most 30 s, so that a broken build cannot hang the run) for a visible window of the
# viewer whose title matches $1 (empty: any), and prints its id.
window_of_viewer() {
    local ids
    for _ in $(seq 300); do
        ids=$(viewer_windows "$1")
        [[ -z "$ids" ]] || { echo "$ids" | head -n 1; return 0; }
        sleep 0.1
    done
    echo "end_to_end_test: no window \"$1\"" >&2
    exit 1
}

# Waits until no visible window of the viewer matches $1.
window_closed() {
    for _ in $(seq 300); do
        [[ -n "$(viewer_windows "$1")" ]] || return 0
        sleep 0.1
    done
    echo "end_to_end_test: window \"$1\" stays open" >&2
    exit 1
}

# Without a window manager nothing gives a window the focus: take it before every key.
keys() {
    local window=$1
    shift
    xdotool windowfocus --sync "$window"
    for key in "$@"; do
        xdotool key "$key"
        sleep 0.3
    done
}

# Waits (at most 10 s) for the viewer to end and fails unless its exit status is 0; $1 says
# what ended it.
viewer_ends() {
    for _ in $(seq 100); do
        kill -0 "$viewer_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$viewer_pid" 2>/dev/null; then
        echo "end_to_end_test: the viewer is still running after $1" >&2
        exit 1
    fi
    local status=0
    wait "$viewer_pid" || status=$?
    viewer_pid=
    if [[ $status -ne 0 ]]; then
        echo "end_to_end_test: after $1 the viewer exited with status $status" >&2
        exit 1
    fi
}

type_text() {
    xdotool windowfocus --sync "$1"
    xdotool type --delay 40 "$2"
    sleep 0.3
}

cd "$work"
# GTK's file chooser stores its settings; keep them in memory, away from dconf.
export GSETTINGS_BACKEND=memory
"$viewer" &
viewer_pid=$!

main=$(window_of_viewer '')

# ファイル(&F) → ファイルを開く(&O); the open dialog starts in the current directory.
keys "$main" alt+f o
# The common dialogs carry the captions a Japanese Windows gives them.
dialog=$(window_of_viewer '^開く$')
keys "$dialog" ctrl+l ctrl+a
type_text "$dialog" "$work/YGS_PRG.BIN"
keys "$dialog" Return
window_closed '^開く$'

# The first open puts the focus in the search box; four tabs reach か.
keys "$main" Tab Tab Tab Tab space

# ファイル(&F) → ファイルへエクスポート(&S) → CSVファイル(&C).
keys "$main" alt+f s c
dialog=$(window_of_viewer '^名前を付けて保存$')
keys "$dialog" ctrl+a
type_text "$dialog" "$work/out/rows.csv"
keys "$dialog" Return
window_closed '^名前を付けて保存$'

xdotool windowfocus --sync "$main"
sleep 0.5
import -window root "$screenshot"

# ファイル(&F) → 用語集Viewerを終了(&E) ends the program with status 0.
keys "$main" alt+f e
viewer_ends "the exit command"

# Esc ends the program too, also while every control is still disabled.
"$viewer" &
viewer_pid=$!
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
dialog=$(window_of_viewer '^Select a file$')
keys "$dialog" ctrl+a
type_text "$dialog" "from-command-line.csv"
keys "$dialog" Return
window_closed '^Select a file$'
keys "$main" alt+f e
viewer_ends "the exit command after hoshiwa2 FILE"

# hoshiwa2 MISSING: the open message box (the viewer's second window) comes up by itself.
"$viewer" "$work/missing/YGS_PRG.BIN" &
viewer_pid=$!
main=$(window_of_viewer '')
message=
for _ in $(seq 100); do
    message=$(xdotool search --all --onlyvisible --pid "$viewer_pid" --name '' | grep -vx "$main" |
        head -n 1) || true
    [[ -z $message ]] || break
    sleep 0.1
done
[[ -n $message ]] || { echo "end_to_end_test: no message for a missing FILE" >&2; exit 1; }
keys "$message" Return
keys "$main" Escape
viewer_ends "Esc after the message for a missing FILE"

"$exporter" --csv --row か "$work/YGS_PRG.BIN" "$work/expected.csv"
for csv in "$work/out/rows.csv" "$work/from-command-line.csv"; do
    if ! cmp "$work/expected.csv" "$csv"; then
        echo "end_to_end_test: the viewer's CSV $csv differs from hoshiwa2-export's" >&2
        exit 1
    fi
done
echo "end_to_end_test: CSV of the か row matches ($(wc -c <"$work/out/rows.csv") bytes)," \
    "through the menu and after hoshiwa2 FILE"
