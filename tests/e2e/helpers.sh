# Steps the end-to-end scripts run inside X, with the program started as $pid.

# opened NAME: waits up to five seconds for the program to hold a file whose path has NAME.
opened() {
    for _ in $(seq 50); do
        grep -qF "$1" <(ls -l "/proc/$pid/fd" 2>/dev/null) && return 0
        sleep 0.1
    done
    echo "the program never opened $1"
    return 1
}

# window_shown: whether the program's window is on the screen. (Read whole: with pipefail, a
# grep that stops early would fail the listing it reads.)
window_shown() {
    grep -q '"Sofavio"' <(xwininfo -root -tree 2>/dev/null)
}

# await SCREENSHOT_TOOL FILE CHECK...: takes screenshots until the check passes, for up to
# five seconds, as a loaded machine may take a while to draw; prints the last answer.
await() {
    local tool=$1 file=$2 answer
    shift 2
    for _ in $(seq 25); do
        answer=$("$tool" "$file" "$@") && { echo "$answer"; return 0; }
        sleep 0.2
    done
    echo "$answer"
    return 1
}

# await_not SCREENSHOT_TOOL FILE X Y RRGGBB: the same, until that pixel is no longer near that
# colour.
await_not() {
    local tool=$1 file=$2 answer
    shift 2
    for _ in $(seq 25); do
        answer=$("$tool" "$file" --colour-at "$@") || { echo "$answer"; return 0; }
        sleep 0.2
    done
    echo "$answer"
    return 1
}

# extent SCREENSHOT_TOOL FILE RRGGBB X0 Y0 X1 Y1: takes a screenshot and sets left, top,
# right and bottom to the box of that colour in that area (left is "none" without one).
extent() {
    local tool=$1 file=$2
    shift 2
    read -r _ left top right bottom < <("$tool" "$file" --extent "$@" | tail -n 1)
}

# await_extent TEST SCREENSHOT_TOOL FILE RRGGBB X0 Y0 X1 Y1: runs extent until a box of that
# colour is there and the arithmetic TEST on left, top, right and bottom holds, for up to five
# seconds, as a loaded machine may take a while to draw.
await_extent() {
    local test=$1
    shift
    for _ in $(seq 25); do
        extent "$@"
        [ "$left" != none ] && (($test)) && return 0
        sleep 0.2
    done
    return 1
}

# said_nothing: whether the program, now ended, wrote nothing to its standard error.
said_nothing() {
    sleep 0.2 # the copy of its standard error may still be writing
    [ ! -s "$work/program.err" ] && return 0
    echo "the program wrote:"
    cat "$work/program.err"
    return 1
}
