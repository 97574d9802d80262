# shellcheck shell=bash
# Drives the real viewer with xdotool on an X display without a window manager: the GTK binary
# on the current display, or hoshiwa2.exe under wine, in a prefix of its own, on an Xvfb display
# of its own (the script runs itself again inside one). The two differ only in how windows and
# dialogs are found and filled in. Sourced by the GUI test scripts with their arguments, which
# begin HOSHIWA2 HOSHIWA2_EXPORT DATAFILE: it sets $viewer, $exporter and $data from them and
# $test_name (the prefix of every message) from the script's name. start_viewer runs the viewer,
# waits for its main window and sets $viewer_pid and $main; stop_viewer ends it if it still runs
# (call it on exit).

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
viewer=$1
exporter=$2
data=$3
test_name=$(basename "$0" .sh)
main_title='ホシノワ 用語集 Viewer'
about_title='ホシノワ用語集 Viewer ﾊﾞｰｼﾞｮﾝ情報'
# The captions of the open and save dialogs: those a Japanese Windows gives them.
open_dialog_title='開く'
save_dialog_title='名前を付けて保存'

# A failure leaves a picture of the display in $failure_screenshot when the test sets it (see
# fail), and a command that fails under set -e (an xdotool call on a window gone) says which it
# was.
failure_screenshot=
set -E
# (Not in command substitutions, where a search that finds nothing is an answer.)
trap 'code=$?; ((BASH_SUBSHELL)) || fail "line $LINENO: \"$BASH_COMMAND\" failed ($code)"' ERR

if [[ $viewer == *.exe ]]; then
  if [[ -z ${HOSHIWA2_OWN_DISPLAY:-} ]]; then
    HOSHIWA2_OWN_DISPLAY=1 exec xvfb-run -a -s "-screen 0 2048x1536x24" "$0" "$@"
  fi
  # A prefix of its own: the other Windows tests run wine in the shared one on the display
  # they were started on, and a viewer that joins their wine session there takes that
  # display's screen for its own and dies on windows that exist only there.
  use_wine_prefix "$HOSHIWA2_CACHE/wine-viewer-prefix"
  # Each run starts as a first run: nothing remembered from an earlier one (a window size
  # remembered at 192 dpi, recent files in folders since removed).
  "$WINE" reg delete 'HKCU\Software\hoshiwa2' /f >/dev/null 2>&1 || true
  run_viewer=("$WINE" "$viewer")
  window_scope=()              # the display is ours: every window on it
  message_title=$main_title    # message boxes, captioned as the main window (wine has others)
  open_keys=(alt+n Home shift+End)
  save_keys=(alt+n Home shift+End)
  about_keys=(alt+space Up Return) # the system menu's last entry, below wine's own
  # Wine tells X no size limits for a window that can be resized: Windows keeps them itself.
  min_size_hint=
  # Z: is the whole Unix file system in a wine prefix.
  native_path() { local path=${1//\//\\}; printf '%s' "${path/#\\/Z:\\}"; }
  # Wine's file dialogs now and then start on the desktop, whatever folder they are given, so
  # the whole path is typed; xdotool loses characters outside the keymap now and then, so it is
  # typed through a link with an ASCII name, beside $2's folder, to that folder.
  enter_path() {
    local folder
    folder=$(dirname "$2")
    ln -sfn "$folder" "${folder%/*}/ascii-link"
    type_text "$1" "$(native_path "${folder%/*}/ascii-link/${2##*/}")"
  }
else
  [[ -n ${DISPLAY:-} ]] || fail "no display; run it under xvfb-run"
  run_viewer=("$viewer")
  window_scope=(--pid)         # the viewer's own windows
  message_title=''             # any other window of the viewer
  open_keys=(ctrl+l ctrl+a)
  save_keys=(ctrl+a)
  about_keys=(alt+h a)
  min_size_hint=1
  native_path() { printf '%s' "$1"; }
  # GTK's dialogs start in the folder they are given, the current one, which is the file's.
  enter_path() { type_text "$1" "$(basename "$2")"; }
fi

# Runs the calling script again, with the arguments given, inside a D-Bus session and a home of
# its own, so that nothing it starts (the accessibility bus, dconf, ibus, Anthy) meets or writes
# the user's; inside that session it returns at once, with AT-SPI on, in that home, which holds a
# copy of the glossary as YGS_PRG.BIN, and with the viewer to be stopped at exit.
own_session() {
  if [[ -z ${HOSHIWA2_TEST_HOME:-} ]]; then
    local home status=0
    home=$(mktemp -d)
    HOSHIWA2_TEST_HOME=$home HOME=$home XDG_RUNTIME_DIR=$home \
      dbus-run-session -- "$0" "$@" || status=$?
    rm -rf "$home"
    exit "$status"
  fi
  unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME NO_AT_BRIDGE
  export GTK_A11Y=atk
  # Clients look for the accessibility bus on the X root window first, where an earlier
  # session on this display may have left its address; name this session's bus instead.
  AT_SPI_BUS_ADDRESS=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus \
    /org/a11y/bus org.a11y.Bus.GetAddress)
  export AT_SPI_BUS_ADDRESS=${AT_SPI_BUS_ADDRESS// /}
  cp "$data" "$HOME/YGS_PRG.BIN"
  cd "$HOME"
  trap stop_viewer EXIT
}

# Reads or operates the running viewer through AT-SPI (atspi_probe.py beside this file), with
# Debian's python3, which has pyatspi, whatever python comes first on PATH.
probe() {
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/atspi_probe.py" "$@"
}

start_viewer() {
  "${run_viewer[@]}" "$@" &
  viewer_pid=$!
  # A window just shown may still be resized, or (under wine) replaced: take it once it holds
  # still.
  main=$(until_true settled_window "$main_title") || fail "no main window that holds still"
}
# Prints the id of the visible window of the viewer titled $1 if it stays the same, at the same
# place and size, for a second.
settled_window() {
  local before after
  before=$(first_window_titled "$1") && before+=$(xdotool getwindowgeometry "$before")
  sleep 1
  after=$(first_window_titled "$1") && after+=$(xdotool getwindowgeometry "$after")
  [[ -n $after && $before == "$after" ]] && echo "${after%%Window*}"
}

stop_viewer() {
  [[ -z ${viewer_pid:-} ]] || kill "$viewer_pid" 2>/dev/null || true
  [[ -z ${WINEPREFIX:-} ]] || "$WINESERVER" -k 2>/dev/null || true
}

# Prints the ids of the viewer's visible windows titled exactly $1 (empty: every window). The
# title is read whole from _NET_WM_NAME: under the C locale GTK gives a Japanese title no WM_NAME,
# which xdotool's --name matches.
windows_titled() {
  local id scope=("${window_scope[@]}")
  [[ -z ${scope[*]} ]] || scope+=("$viewer_pid")
  for id in $(xdotool search --all --onlyvisible "${scope[@]}" --name '' 2>/dev/null); do
    if [[ -z $1 || $(xdotool getwindowname "$id" 2>/dev/null) == "$1" ]]; then
      echo "$id"
    fi
  done
}

# Runs "$@" every 0.2 s until it succeeds; fails after 60 s, so that a broken build cannot hang
# the run.
until_true() {
  for _ in $(seq 300); do
    "$@" && return
    sleep 0.2
  done
  return 1
}

# Waits for a visible window of the viewer titled $1 (empty: any) and prints its id.
window_of_viewer() {
  until_true first_window_titled "$1" || fail "no window \"$1\""
}
# (Not through head: under pipefail its early exit would fail the search.)
first_window_titled() {
  local ids
  ids=$(windows_titled "$1")
  [[ -n $ids ]] && echo "${ids%%$'\n'*}"
}

# Waits until no visible window of the viewer is titled $1.
window_closed() {
  until_true no_window_titled "$1" || fail "window \"$1\" stays open"
}
no_window_titled() { [[ -z $(windows_titled "$1") ]]; }

# Without a window manager nothing gives a window the focus: take it before every key.
keys() {
  local window=$1 key
  shift
  xdotool windowfocus --sync "$window"
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.4
  done
}

# Types text $2 (in UTF-8, whatever the test's locale is) into window $1.
type_text() {
  xdotool windowfocus --sync "$1"
  LC_ALL=C.UTF-8 xdotool type --delay 60 "$2"
  sleep 1   # characters outside the keymap arrive late

}

# Grows main window $1 by 200 × 150 pixels, after checking that its size hints let it grow and
# (GTK) hold the size it has as the smallest; prints the new size as WIDTHxHEIGHT.
grow_window() {
  local hints largest='maximum size: ([0-9]+) by ([0-9]+)'
  eval "$(xdotool getwindowgeometry --shell "$1")"
  hints=$(xprop -id "$1" WM_NORMAL_HINTS)
  if [[ -n $min_size_hint && $hints != *"minimum size: $WIDTH by $HEIGHT"* ]] ||
    { [[ $hints =~ $largest ]] && ((BASH_REMATCH[1] <= WIDTH || BASH_REMATCH[2] <= HEIGHT)); }; then
    fail "a ${WIDTH}x$HEIGHT window that cannot grow from there: $hints"
  fi
  xdotool windowsize "$1" $((WIDTH + 200)) $((HEIGHT + 150))
  until_true window_sized "$1" $((WIDTH + 200))x$((HEIGHT + 150)) ||
    fail "the window is $(window_size "$1"), not $((WIDTH + 200))x$((HEIGHT + 150))"
  window_size "$1"
}
window_size() { xdotool getwindowgeometry "$1" | sed -n 's/^ *Geometry: //p'; }
window_sized() { [[ $(window_size "$1") == "$2" ]]; }

# Waits for the viewer to end and fails unless its exit status is 0; $1 says what ended it.
viewer_ends() {
  until_true eval '! kill -0 "$viewer_pid" 2>/dev/null' || fail "the viewer still runs after $1"
  local status=0
  wait "$viewer_pid" || status=$?
  viewer_pid=
  [[ $status -eq 0 ]] || fail "after $1 the viewer exited with status $status"
}

# Enters path $3 into the file dialog titled $1 with the keys of array $2 first, and accepts it.
# (The folders are named in Japanese: nothing outside the keymap is typed.)
fill_file_dialog() {
  local dialog keys_name="$2[@]"
  dialog=$(window_of_viewer "$1")
  keys "$dialog" "${!keys_name}"
  enter_path "$dialog" "$3"
  keys "$dialog" Return
  window_closed "$1"
}

# Opens $2 through ファイル(&F) → ファイルを開く(&O) and the open dialog, in main window $1.
open_glossary() {
  keys "$1" alt+f o
  fill_file_dialog "$open_dialog_title" open_keys "$2"
}

# Exports the rows on show through ファイル(&F) → ファイルへエクスポート(&S) → CSVファイル(&C) or
# テキストファイル(&T) ($2: c or t) into $3, in main window $1.
export_view() {
  keys "$1" alt+f s "$2"
  fill_file_dialog "$save_dialog_title" save_keys "$3"
}

# Opens the about box from main window $1, saves a screenshot as $2 and closes the box with OK.
show_about() {
  keys "$1" "${about_keys[@]}"
  local about
  about=$(window_of_viewer "$about_title")
  sleep 1
  import -window root -trim +repage "$2"
  keys "$about" Return
  window_closed "$about_title"
}
