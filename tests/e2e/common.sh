# Shared by the end-to-end scripts: a portable copy of the program on the demo library, run
# under a virtual X server of a given size.
# prepare SOFAVIO DEMO_FOLDER: makes $work with the program and its folders.ini.
prepare() {
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cp "$1" "$work/sofavio"
    "$2/make-folders-ini" "$work"
    export XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb
}

# run_in_x SIZE ARGS...: runs the steps read from standard input inside X, once the program's
# window is on screen; $pid is the program, $1... are ARGS. $program, when set, is started
# instead of the portable copy.
run_in_x() {
    local size=$1
    shift
    cat > "$work/steps.sh"
    xvfb-run -a -s "-screen 0 ${size}x24" bash -c '
        set -euo pipefail
        work=$1 program=$2
        shift 2
        "$program" & pid=$!
        for _ in $(seq 200); do
            xwininfo -root -tree 2>/dev/null | grep -q "\"Sofavio\"" && break
            sleep 0.1
        done
        xwininfo -root -tree | grep -q "\"Sofavio\"" || { echo "the window never appeared"; exit 1; }
        sleep 0.5
        source "$work/steps.sh"
    ' _ "$work" "${program:-$work/sofavio}" "$@"
}
