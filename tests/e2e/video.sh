#!/usr/bin/env bash
# Plays the demo video in the real program with real X key events: its picture must fill
# the screen, and Escape must take it away again (leaving the list); on a machine without a
# graphics card, nothing may be printed on the way.
# usage: video.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
mkdir -p "$4"
prepare "$1" "$3"
run_in_x 1024x768 "$2" "$4" "${E2E_WM:-bare}" <<'STEPS'
xdotool key Down Return   # Mi Cine
sleep 0.5
xdotool key Return        # the video, highlighted first
await "$1" "$2/video-playing-$3.png" --video
xdotool key Escape
await "$1" "$2/video-hidden-$3.png" --no-video
kill "$pid"; wait "$pid" || true
# Where there is no graphics card, the film decodes on the processor without a word.
compgen -G "/dev/dri/renderD*" >/dev/null || [ -e /dev/nvidia0 ] || said_nothing
STEPS
