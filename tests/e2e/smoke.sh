#!/usr/bin/env bash
# Starts the real program on the demo library under a virtual X server of the given size,
# waits for its window, takes a screenshot and checks that something was drawn.
# usage: smoke.sh SOFAVIO SCREENSHOT DEMO_FOLDER WIDTHxHEIGHT OUT_FOLDER
set -euo pipefail
sofavio=$1 screenshot=$2 demo=$3 size=$4 out=$5

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
# A portable copy: the executable beside a folders.ini that points into the demo library.
cp "$sofavio" "$work/sofavio"
"$demo/make-folders-ini" "$work"

export XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 ${size}x24" bash -c '
    set -euo pipefail
    "$1/sofavio" & pid=$!
    for _ in $(seq 100); do
        if xwininfo -root -tree 2>/dev/null | grep -q "\"Sofavio\""; then break; fi
        sleep 0.1
    done
    xwininfo -root -tree | grep -q "\"Sofavio\"" || { echo "the window never appeared"; exit 1; }
    sleep 1
    "$2" "$3"
    kill -0 "$pid" || { echo "the program ended by itself"; exit 1; }
    kill "$pid"; wait "$pid" || true
' _ "$work" "$screenshot" "$out/main-menu-$size.png"
echo "screenshot: $out/main-menu-$size.png"
