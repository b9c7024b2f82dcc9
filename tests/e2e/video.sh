#!/usr/bin/env bash
# Plays the demo video in the real program with real X key events: its picture must fill
# the screen, and Escape must take it away again (leaving the list).
# usage: video.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER
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
    xdotool key Down Return   # Mi Cine
    sleep 0.5
    xdotool key Return        # the video, highlighted first
    sleep 1.5
    "$2" "$3/video-playing.png" --video
    xdotool key Escape
    sleep 0.5
    "$2" "$3/video-hidden.png" --no-video
    kill "$pid"; wait "$pid" || true
' _ "$work" "$screenshot" "$out"
