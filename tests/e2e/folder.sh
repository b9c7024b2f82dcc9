#!/usr/bin/env bash
# A folder of songs with one that cannot be played in the middle: once the first song ends,
# the program says which file failed and goes on by itself to the one after it.
# usage: folder.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
mkdir -p "$4"
prepare "$1" "$3"
album="$work/demo/Musica/Orquesta Demo - Primer Disco"
mkdir "$work/demo/Musica/Prueba"
cp "$album/01 Obertura.mp3" "$work/demo/Musica/Prueba/01 bien.mp3"
head -c 20000 /dev/urandom > "$work/demo/Musica/Prueba/02 roto.mp3"
cp "$album/03 Final.mp3" "$work/demo/Musica/Prueba/03 final.mp3"
run_in_x 1024x768 "$2" "$4" "${E2E_WM:-bare}" <<'STEPS'
xdotool key Down Down Return   # Mi Música
sleep 0.5
xdotool key Down Return        # Prueba
sleep 0.5
xdotool key Return             # 01 bien.mp3
opened "01 bien.mp3"
went_on=no
for _ in 1 2 3; do opened "03 final.mp3" && { went_on=yes; break; }; done
[ $went_on = yes ] || { echo "the folder stopped at the broken song"; exit 1; }
"$1" "$2/past-a-broken-song-$3.png"
xdotool key Return             # the message about 02 roto.mp3
kill -0 "$pid" || { echo "the program ended by itself"; exit 1; }
kill "$pid"; wait "$pid" || true
STEPS
