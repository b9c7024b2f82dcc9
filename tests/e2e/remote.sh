#!/usr/bin/env bash
# Works the on-screen control panel and the jump panel over the demo video with real X key
# events, and keeps screenshots of both panels for a person to look at.
# usage: remote.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER
set -euo pipefail
sofavio=$1 screenshot=$2 demo=$3 out=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
cp "$sofavio" "$work/sofavio"
"$demo/make-folders-ini" "$work"

export XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    "$1/sofavio" & pid=$!
    for _ in $(seq 100); do
        xwininfo -root -tree 2>/dev/null | grep -q "\"Sofavio\"" && break
        sleep 0.1
    done
    sleep 0.5
    xdotool key Down Return     # Mi Cine
    sleep 0.5
    xdotool key Return          # the video
    sleep 0.5
    xdotool key space           # paused, so the pictures hold still
    xdotool key Right           # the control panel, PAUSE framed
    sleep 0.5
    "$2" "$3/control-panel.png"
    xdotool key Right Right Right Right Return   # SELECT: the jump panel
    sleep 0.5
    "$2" "$3/jump-panel.png"
    xdotool key Return Left Return   # "Más", then "OK"
    sleep 0.5
    "$2" "$3/after-jump.png" --video
    kill -0 "$pid" || { echo "the program ended by itself"; exit 1; }
    kill "$pid"; wait "$pid" || true
' _ "$work" "$screenshot" "$out"
