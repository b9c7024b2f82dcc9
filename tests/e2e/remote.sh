#!/usr/bin/env bash
# Works the on-screen control panel and the jump panel over the demo video with real X key
# events, and keeps screenshots of both panels for a person to look at.
# usage: remote.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
mkdir -p "$4"
prepare "$1" "$3"
run_in_x 1024x768 "$2" "$4" "${E2E_WM:-bare}" <<'STEPS'
xdotool key Down Return     # Mi Cine
sleep 0.5
xdotool key Return          # the video
sleep 0.5
xdotool key space           # paused, so the pictures hold still
xdotool key Right           # the control panel, PAUSE framed
sleep 0.5
"$1" "$2/control-panel-$3.png"
xdotool key Right Right Right Right Return   # SELECT: the jump panel
sleep 0.5
"$1" "$2/jump-panel-$3.png"
xdotool key Return Left Return   # "Más", then "OK"
sleep 0.5
await "$1" "$2/after-jump-$3.png" --video
kill -0 "$pid" || { echo "the program ended by itself"; exit 1; }
kill "$pid"; wait "$pid" || true
STEPS
