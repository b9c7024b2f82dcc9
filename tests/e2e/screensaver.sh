#!/usr/bin/env bash
# The X server's screensaver, set to start after one second without input, stays off while
# the demo film plays, and starts once the film is paused, or once the program is ended by
# SIGTERM during the film.
# usage: screensaver.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
mkdir -p "$4"
prepare "$1" "$3"
run_in_x 1024x768 "$2" "$4" "${E2E_WM:-bare}" <<'STEPS'
SCREENSHOT=$1 OUT=$2 WM=$3
saver() { "$SCREENSHOT" "$OUT/screensaver-$WM.png" --saver "$1"; }
xset s 1 0
xdotool key Down Return   # Mi Cine
sleep 0.5
xdotool key Return        # Carta de ajuste.mpg, four seconds long
opened "Carta de ajuste.mpg"
sleep 1.5
saver off || { echo "the screensaver started during the film"; exit 1; }
xdotool key space         # paused
sleep 2
saver on || { echo "the screensaver never started once the film was paused"; exit 1; }
xdotool key space         # playing again, for a second more than the screensaver waits
sleep 1.2
saver off || { echo "the screensaver started during the resumed film"; exit 1; }
kill -0 "$pid" || { echo "the program ended by itself"; exit 1; }
kill -TERM "$pid"; wait "$pid" || true
sleep 2
saver on || { echo "the screensaver never started once the program was gone"; exit 1; }
STEPS
