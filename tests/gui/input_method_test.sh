#!/bin/bash
# Types a search through a real input method (ibus with Anthy, in hiragana) into the real viewer
# under the current X display, and checks that the keys the IM is composing with stay the IM's:
# Esc during a conversion cancels only the conversion, Return commits it without running Search;
# 検索 then searches for the kanji committed, and Esc with nothing composed ends the program.
# The box's text, the list and the counter are read through AT-SPI.
#
# usage: input_method_test.sh HOSHIWA2 HOSHIWA2_EXPORT DATAFILE
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/viewer_driver.sh" "$@"
own_session "$@"

# Anthy's engine is a Python program: it needs Debian's python3, not one earlier on PATH.
export PATH=/usr/bin:$PATH
ibus-daemon --panel=disable --emoji-extension=disable &
ibus_pid=$!
trap 'stop_viewer; kill "$ibus_pid"' EXIT
for _ in $(seq 300); do
    [[ "$(ibus address)" == "(null)" ]] || break
    sleep 0.1
done
gsettings set org.freedesktop.ibus.engine.anthy.common input-mode 0 # hiragana
for _ in $(seq 300); do
    ibus engine anthy 2>/dev/null || true
    [[ "$(ibus engine 2>/dev/null)" != anthy ]] || break
    sleep 0.1
done
[[ "$(ibus engine 2>/dev/null)" == anthy ]] || fail "ibus does not start Anthy"

# ibus's GTK module takes keys before any widget sees them, through a key snooper. Without the
# snooper, as with other input methods and in GTK 4, the dialog's key hook sees them first.
for snooper in on off; do
    [[ $snooper == on ]] || export IBUS_DISABLE_SNOOPER=1
    GTK_IM_MODULE=ibus start_viewer
    
    # With the IM on, letters go to it: F10 and Return reach ファイル → ファイルを開く, and Return
    # opens YGS_PRG.BIN, which the open dialog offers from the current directory.
    keys "$main" F10 Return Return
    dialog=$(window_of_viewer "$open_dialog_title")
    keys "$dialog" Return
    window_closed "$open_dialog_title"
    probe view "$exporter" YGS_PRG.BIN

    # The first open leaves the focus in the search box. みなと converts to 港 or a word like it.
    reading=みなと
    type_text "$main" minato
    keys "$main" space Escape
    kill -0 "$viewer_pid" 2>/dev/null || fail "Esc during a conversion ended the program"
    [[ -z "$(probe text 検索文字列:)" ]] || fail "Esc during a conversion committed text"
    # The reading is still being composed: Space converts it again, Return commits the kanji.
    keys "$main" space Return
    text=$(probe text 検索文字列:)
    [[ -n "$text" && "$text" != "$reading" ]] || fail "the box holds \"$text\", not a conversion"
    probe view "$exporter" YGS_PRG.BIN

    # With nothing composed, Return in the box presses 検索, and Esc ends the program.
    keys "$main" Return
    probe view "$exporter" YGS_PRG.BIN --search "$text"
    keys "$main" Escape
    viewer_ends "Esc with nothing composed"
    echo "$test_name: searched for $text (ibus key snooper $snooper)"
done
