# Shared by the end-to-end scripts: a portable copy of the program on the demo library, run
# under a virtual X server of a given size, bare or, with E2E_WM=openbox, under a window
# manager as a desktop has one.

# prepare SOFAVIO DEMO_FOLDER: makes $work with the program, a copy of the demo library that
# the test may change ($work/demo), its folders.ini, and an mpv.conf that plays without
# sound, so no test depends on the machine's audio. The home is $work/home, so whatever is
# sent to the trash stays in $work.
prepare() {
    work=$(mktemp -d)
    trap 'stop_x; rm -rf "$work"' EXIT
    cp "$1" "$work/sofavio"
    cp -r "$2" "$work/demo"
    "$work/demo/make-folders-ini" "$work"
    echo "ao=null" > "$work/mpv.conf"
    mkdir -m 700 "$work/runtime"
    mkdir "$work/home"
    export XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb HOME=$work/home
    unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME
}

# start_x SIZE: a virtual X server on a display number it chooses itself (no race with the
# previous test's server), and the window manager E2E_WM names, if any. The server does not
# reset when its last client leaves, so asking whether it answers wipes nothing.
start_x() {
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
    [ -s "$work/display" ] || { cat "$work/xvfb.log"; echo "the X server did not start"; return 1; }
    export DISPLAY=:$(cat "$work/display")
    for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.05; done
    xwininfo -root >/dev/null 2>&1 ||
        { cat "$work/xvfb.log"; echo "the X server on $DISPLAY does not answer"; return 1; }
    case ${E2E_WM:-} in
        "") ;;
        openbox)
            # Started again if it has not taken the screen within five seconds (seen once on a
            # loaded machine); what it said is shown if it never does.
            for _ in 1 2 3; do
                openbox --sm-disable >"$work/wm.log" 2>&1 &
                wm_pid=$!
                for _ in $(seq 50); do
                    wm_running && break
                    sleep 0.1
                done
                wm_running && break
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
wm_running() {
    grep -q "window id" <(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null)
}

stop_x() {
    [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    wm_pid= xvfb_pid=
    return 0
}

# run_in_x SIZE ARGS...: runs the steps read from standard input inside X, once the program's
# window is on screen; $pid is the program, $1... are ARGS. What the program writes to its
# standard error is also kept in $work/program.err. $program, when set, is started
# instead of the portable copy.
run_in_x() {
    local size=$1
    shift
    cat > "$work/steps.sh"
    start_x "$size"
    local status=0
    bash -c '
        set -euo pipefail
        work=$1 program=$2
        shift 2
        source "$(dirname "$0")/helpers.sh"
        "$program" 2> >(tee "$work/program.err" >&2) & pid=$!
        for _ in $(seq 200); do
            window_shown && break
            sleep 0.1
        done
        window_shown || { echo "the window never appeared"; exit 1; }
        sleep 0.5
        source "$work/steps.sh"
    ' "${BASH_SOURCE[0]}" "$work" "${program:-$work/sofavio}" "$@" || status=$?
    [ $status = 0 ] || { echo "the X server's log:"; cat "$work/xvfb.log"; }
    stop_x
    return $status
}
