# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the end-to-end scripts: a portable copy of the program on the demo library, run
# under a virtual X server of a given size, bare or, with E2E_WM=openbox, under a window
# manager as a desktop has one.
source "$(dirname "${BASH_SOURCE[0]}")/helpers.sh"

# prepare SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER: makes $work with the program, a copy of
# the demo library that the test may change ($work/demo), its folders.ini, and an mpv.conf
# that plays without sound, so no test depends on the machine's audio (with SOFAVIO empty,
# only $work). The home is $work/home, so whatever is sent to the trash stays in $work. The
# buses are the test's choice, where none listens: neither the desktop's nor one that libdbus
# would start by itself on a display answers the program.
prepare() {
    work=$(mktemp -d)
    trap 'stop_x; rm -rf "$work"' EXIT
    export work screenshot=$2 out=$4 wm=${E2E_WM:-bare}
    mkdir -p "$out"
    if [ -n "$1" ]; then
        cp "$1" "$work/sofavio"
        cp -r "$3" "$work/demo"
        "$work/demo/make-folders-ini" "$work"
        echo "ao=null" > "$work/mpv.conf"
    fi
    mkdir -m 700 "$work/runtime"
    mkdir "$work/home"
    export XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb HOME=$work/home
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus
    export DBUS_SYSTEM_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS
    unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME
}

# start_x SIZE: a virtual X server on a display number it chooses itself (no race with the
# previous test's server), and the window manager E2E_WM names, if any. The server does not
# reset when its last client leaves, so asking whether it answers wipes nothing.
start_x() {
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp -noreset 3>"$work/display" \
        2>"$work/xvfb.log" &
    xvfb_pid=$!
    within 50 test -s "$work/display" ||
        { cat "$work/xvfb.log"; echo "the X server did not start"; return 1; }
    export DISPLAY=:$(cat "$work/display")
    within 50 xwininfo -root >/dev/null 2>&1 ||
        { cat "$work/xvfb.log"; echo "the X server on $DISPLAY does not answer"; return 1; }
    case ${E2E_WM:-} in
        "") ;;
        openbox)
            # Started again if it has not taken the screen within five seconds (seen once on a
            # loaded machine); what it said is shown if it never does.
            for _ in 1 2 3; do
                openbox --sm-disable >"$work/wm.log" 2>&1 &
                wm_pid=$!
                within 50 wm_running && break
                kill "$wm_pid" 2>/dev/null; wait "$wm_pid" 2>/dev/null || true; wm_pid=
            done
            [ -n "$wm_pid" ] || { cat "$work/wm.log"; echo "openbox did not start"; return 1; }
            ;;
        *) echo "no window manager named $E2E_WM"; return 1 ;;
    esac
    echo "X server $DISPLAY, ${1}, window manager: ${E2E_WM:-none}"
}

# wm_running: whether a window manager has taken the screen. (Read whole: with pipefail, a
# grep that stops early would fail the command it reads.)
wm_running() { grep -q "window id" <(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null); }

stop_x() {
    [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    wm_pid= xvfb_pid=
    return 0
}

# run_in_x SIZE ARGS...: runs the steps read from standard input inside X, once the program's
# window is on screen, with helpers.sh at hand; $pid is the program, $1... are ARGS. What the
# program writes to its standard error is also kept in $work/program.err. $program, when
# set, is started instead of the portable copy.
run_in_x() {
    local size=$1 status=0
    shift
    cat > "$work/steps.sh"
    start_x "$size"
    program=${program:-$work/sofavio} bash -c '
        set -euo pipefail
        source "$(dirname "$0")/helpers.sh"
        "$program" 2> >(tee "$work/program.err" >&2) & pid=$!
        within 200 window_shown || { echo "the window never appeared"; exit 1; }
        sleep 0.5
        source "$work/steps.sh"
    ' "${BASH_SOURCE[0]}" "$@" || status=$?
    [ $status = 0 ] || { echo "the X server's log:"; cat "$work/xvfb.log"; }
    stop_x
    return $status
}
