#!/usr/bin/env bash
# Works the real program with real X key events on the demo library: opens "Mi Música",
# opens the album, plays its first song (the player must hold the file open), returns to
# the main menu and leaves with "SALIR", which must end the program with status 0.
# usage: navigate.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
prepare "$1" "$3"
run_in_x 1024x768 <<'STEPS'
xdotool key Down Down Return   # Mi Música
sleep 0.5
xdotool key Return             # the album, highlighted first
sleep 0.5
xdotool key Return             # its first song
opened "01 Obertura.mp3" || { kill $pid; exit 1; }
echo "the player has the song open"
xdotool key Home Down Down Return   # MENU PRINCIPAL
sleep 0.5
xdotool key End Return              # SALIR
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then echo "SALIR did not end the program"; kill $pid; exit 1; fi
wait $pid && status=0 || status=$?
echo "the program ended with status $status"
exit $status
STEPS
