#!/bin/bash
# Reads and operates the real viewer as a screen reader does, through AT-SPI, under the current X
# display: every control of the main dialog and the about box has a name and the right role,
# before and after opening YGS_PRG.BIN, and pressing か through its action shows the rows that
# hoshiwa2-export gives for it; when the window grows, the list, the pane and the search box grow
# with it and the bottom controls stay at its bottom. Menus and dialogs are opened with the
# keyboard: an AT-SPI action that opens a modal dialog would not return until the dialog closed.
#
# usage: accessibility_test.sh HOSHIWA2 HOSHIWA2_EXPORT DATAFILE
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/viewer_driver.sh" "$@"
own_session "$@"
start_viewer

# Before the first open the counter is empty, and named after what it counts.
probe controls 件数
open_glossary "$main" "$HOME/YGS_PRG.BIN"
probe view "$exporter" YGS_PRG.BIN
probe press か
probe view "$exporter" YGS_PRG.BIN --row か
probe places >places.json
grow_window "$main" >/dev/null
probe grown places.json 200 150

# ヘルプ(&H) → hoshiwa2 のﾊﾞｰｼﾞｮﾝ情報(&A)...; OK ends it.
keys "$main" alt+h a
about=$(window_of_viewer "$about_title")
probe about
keys "$about" Return
window_closed "$about_title"

keys "$main" Escape
viewer_ends "Esc"
