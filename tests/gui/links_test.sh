#!/bin/bash
# Follows the links of the real viewer, read through AT-SPI and driven with xdotool under the
# current X display: every entry underlines the links the rules give (worked out from
# hoshiwa2-export's texts, not asked of the viewer); a click on a link to an entry outside the
# kana row on show shows it under 全て; 戻る and 進む bring back the rows and the entry; 参照先's
# first item shows the first target; the zoom steps by a point, keeps the links and outlives a
# restart; Ctrl+F in the list reaches the search box.
#
# usage: links_test.sh HOSHIWA2 HOSHIWA2_EXPORT DATAFILE
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/viewer_driver.sh" "$@"
own_session "$@"
glossary=("$exporter" YGS_PRG.BIN)
# The list and the counter show the rows hoshiwa2-export gives with options $2..., and the list
# selects the entry titled $1, which the pane shows with its links.
shows() {
  probe view "${glossary[@]}" "${@:2}"
  probe shows "${glossary[@]}" "$1"
}

start_viewer
open_glossary "$main" "$HOME/YGS_PRG.BIN"
probe view "${glossary[@]}"
step "every entry's links"
probe links "${glossary[@]}"

step "a click on a link, 戻る, 進む, 参照先"
probe press か
probe view "${glossary[@]}" --row か
IFS=$'\t' read -r x y target origin first < <(probe outward "${glossary[@]}")
xdotool mousemove --sync "$x" "$y" click 1
shows "$target"
keys "$main" alt+Left
shows "$origin" --row か
keys "$main" alt+Right
shows "$target"
keys "$main" alt+Left
shows "$origin" --row か
keys "$main" alt+g l 1
probe shows "${glossary[@]}" "$first"

step "the zoom, across a restart"
size=$(probe size)
zoomed=$size
for key in ctrl+plus ctrl+equal; do
  keys "$main" "$key"
  probe size $((++zoomed))
done
probe shows "${glossary[@]}" "$first"
keys "$main" Escape
viewer_ends "Esc"
start_viewer
open_glossary "$main" "$HOME/YGS_PRG.BIN"
probe size "$zoomed"
keys "$main" ctrl+0
probe size "$size"

step "Ctrl+F from the list"
probe focus table 用語一覧
keys "$main" ctrl+f
probe focused text 検索文字列:
type_text "$main" abc
typed=$(probe text 検索文字列:)
[[ $typed == abc ]] || fail "the search box holds \"$typed\", not abc"

keys "$main" Escape
viewer_ends "Esc"
