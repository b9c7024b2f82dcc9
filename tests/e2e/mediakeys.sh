#!/usr/bin/env bash
# A media remote's own buttons, as X reports them: XF86Back climbs one folder as Backspace
# does, XF86AudioNext moves to the next song of the folder, and XF86AudioPause and
# XF86AudioPlay pause the film and resume it.
# usage: mediakeys.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
mkdir -p "$4"
prepare "$1" "$3"
run_in_x 1024x768 "$2" "$4" "${E2E_WM:-bare}" <<'STEPS'
SCREENSHOT=$1 OUT=$2 WM=$3
shot() { echo "$OUT/media-keys-$1-$WM.png"; }
# still NAME: whether the screen shows the same picture twice, half a second apart.
still() {
    "$SCREENSHOT" "$(shot "$1")" >/dev/null
    sleep 0.5
    "$SCREENSHOT" "$(shot "$1-later")" --same-as "$(shot "$1")" >/dev/null
}

xdotool key Down Down Return   # Mi Música
sleep 0.5
"$SCREENSHOT" "$(shot music-folder)"
xdotool key Return             # the album
sleep 0.5
xdotool key XF86Back
await "$SCREENSHOT" "$(shot back)" --same-as "$(shot music-folder)" ||
    { echo "XF86Back did not climb back to the music folder"; exit 1; }

xdotool key Return Return      # the album, its first song
opened "01 Obertura.mp3"
sleep 0.5                      # its tags read and its folder listed
xdotool key space              # paused, so only the button can move on
xdotool key XF86AudioNext
opened "02 Andante.mp3" || { echo "XF86AudioNext did not play the next song"; exit 1; }

xdotool key Home Down Down Return   # MENU PRINCIPAL
sleep 0.3
xdotool key Down Return             # Mi Cine
sleep 0.5
xdotool key Down Return             # Prueba de color.mkv, a moving picture
opened "Prueba de color.mkv"
await "$SCREENSHOT" "$(shot film)" --video
xdotool key XF86AudioPause
sleep 0.3
still paused || { echo "XF86AudioPause did not pause the film"; exit 1; }
xdotool key XF86AudioPlay
sleep 0.2
! still playing || { echo "XF86AudioPlay did not resume the film"; exit 1; }
kill -0 "$pid" || { echo "the program ended by itself"; exit 1; }
kill "$pid"; wait "$pid" || true
STEPS
