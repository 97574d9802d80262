# shellcheck shell=bash
# Drives the real viewer with xdotool under the current X display (Xvfb, no window manager).
# Sourced by the GUI test scripts with their arguments, which begin HOSHIWA2 HOSHIWA2_EXPORT
# DATAFILE: it sets $viewer, $exporter and $data from them and $test_name (the prefix of every
# message) from the script's name. start_viewer runs the viewer and sets $viewer_pid, and
# stop_viewer ends it if it still runs (call it on exit).

viewer=$1
exporter=$2
data=$3
test_name=$(basename "$0" .sh)

fail() {
    echo "$test_name: $*" >&2
    exit 1
}

[[ -n "${DISPLAY:-}" ]] || fail "no display; run it under xvfb-run"

# The captions of the open and save dialogs: those a Japanese Windows gives them.
open_dialog_title='開く'
save_dialog_title='名前を付けて保存'

# Runs the calling script again, with the arguments given, inside a D-Bus session and a home of
# its own, so that nothing it starts (the accessibility bus, dconf, ibus, Anthy) meets or writes
# the user's; inside that session it returns at once, with AT-SPI on.
own_session() {
    if [[ -z "${HOSHIWA2_TEST_HOME:-}" ]]; then
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
}

# Reads or operates the running viewer through AT-SPI (atspi_probe.py beside this file), with
# Debian's python3, which has pyatspi, whatever python comes first on PATH.
probe() {
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/atspi_probe.py" "$@"
}

start_viewer() {
    "$viewer" "$@" &
    viewer_pid=$!
}

stop_viewer() {
    if [[ -n "${viewer_pid:-}" ]] && kill -0 "$viewer_pid" 2>/dev/null; then
        kill "$viewer_pid"
    fi
}

# Prints the ids of the viewer's visible windows titled exactly $1 (empty: every window). The
# title is read whole from _NET_WM_NAME: under the C locale GTK gives a Japanese title no WM_NAME,
# which xdotool's --name matches.
windows_titled() {
    local id
    for id in $(xdotool search --all --onlyvisible --pid "$viewer_pid" '' 2>/dev/null); do
        if [[ -z "$1" || "$(xdotool getwindowname "$id" 2>/dev/null)" == "$1" ]]; then
            echo "$id"
        fi
    done
}

# Waits (at most 30 s, so that a broken build cannot hang the run) for a visible window of the
# viewer titled $1 (empty: any), and prints its id.
window_of_viewer() {
    local id
    for _ in $(seq 300); do
        id=$(windows_titled "$1" | head -n 1)
        if [[ -n "$id" ]]; then
            echo "$id"
            return
        fi
        sleep 0.1
    done
    fail "no window \"$1\""
}

# Waits until no visible window of the viewer is titled $1.
window_closed() {
    for _ in $(seq 300); do
        [[ -n "$(windows_titled "$1")" ]] || return 0
        sleep 0.1
    done
    fail "window \"$1\" stays open"
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

type_text() {
    xdotool windowfocus --sync "$1"
    xdotool type --delay 40 "$2"
    sleep 0.3
}

# Waits (at most 10 s) for the viewer to end and fails unless its exit status is 0; $1 says
# what ended it.
viewer_ends() {
    for _ in $(seq 100); do
        kill -0 "$viewer_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$viewer_pid" 2>/dev/null && fail "the viewer is still running after $1"
    local status=0
    wait "$viewer_pid" || status=$?
    viewer_pid=
    [[ $status -eq 0 ]] || fail "after $1 the viewer exited with status $status"
}

# Opens $2 through ファイル(&F) → ファイルを開く(&O) and the GTK open dialog, in main window $1.
open_glossary() {
    keys "$1" alt+f o
    local dialog
    dialog=$(window_of_viewer "$open_dialog_title")
    keys "$dialog" ctrl+l ctrl+a
    type_text "$dialog" "$2"
    keys "$dialog" Return
    window_closed "$open_dialog_title"
}
