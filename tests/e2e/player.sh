#!/usr/bin/env bash
# The player view and the now-playing panel as a person sees them on a 16:9 screen, with real
# X keys: the artist, title and album are read in full; Escape during a song shows the player
# view the first time and takes it away the second; a 4:3 film keeps its shape, with black
# bars left and right; the control panel is drawn at the film's foot; after Enter on a
# control-panel button the film has its full height; the jump panel is drawn where it was.
# usage: player.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
mkdir -p "$4"
prepare "$1" "$3"
run_in_x 1280x720 "$2" "$4" "${E2E_WM:-bare}" <<'STEPS'
SCREENSHOT=$1 OUT=$2 WM=$3
shot() { local name=$1; shift; await "$SCREENSHOT" "$OUT/$name-$WM.png" "$@"; }
shot_not() { local name=$1; shift; await_not "$SCREENSHOT" "$OUT/$name-$WM.png" "$@"; }
# The title's green frame, at the top left: seen while the list is, covered by the player view.
frame_seen() { shot "$1" --colour-at 10 28 00c000; }  # frame_seen SCREENSHOT_NAME

xdotool key Down Down Return   # Mi Música
sleep 0.5
xdotool key Return Return      # the album, its first song
opened "01 Obertura.mp3"
xdotool key space              # paused, so the song does not end during the test
sleep 0.7
# The now-playing text reaches well past its designed 303 pixels.
cut=no
await_extent 'right > 340' "$SCREENSHOT" "$OUT/now-playing-$WM.png" ffffff 24 642 1200 672 || cut=yes
echo "now-playing text from x=$left to x=$right"
[ $cut = no ] || { echo "the now-playing text is cut"; exit 1; }

frame_seen song-list
xdotool key Escape
shot_not song-player-view 10 28 00c000 || { echo "Escape did not show the player view"; exit 1; }
xdotool key Escape
frame_seen song-list-again || { echo "the second Escape did not bring the list back"; exit 1; }

xdotool key Home Down Down Return   # MENU PRINCIPAL
sleep 0.3
xdotool key Down Return             # Mi Cine
sleep 0.5
xdotool key Return                  # the film
opened "Carta de ajuste.mpg"
xdotool key space
# 4:3 on 16:9: black bars beside the picture, which fills the height.
shot film-4-3 --colour-at 560 600 ffff00 || { echo "the film never showed"; exit 1; }
shot film-4-3 --colour-at 5 360 000000
shot film-4-3 --colour-at 1274 360 000000
shot_not film-4-3 640 710 000000 || { echo "the film does not reach the foot"; exit 1; }

xdotool key Right              # the control panel, PAUSE framed
# Its white frame is drawn where the film's foot was.
shot control-panel-16-9 --colour-at 640 645 ffffff ||
    { echo "the control panel is not drawn over the film's foot"; exit 1; }
xdotool key Return             # PAUSE, and the panel goes
shot_not after-pause 640 710 002b00 || { echo "a green band stays at the foot of the film"; exit 1; }
xdotool key Right              # the control panel again, the frame one further: STOP
sleep 0.5
xdotool key Right Right Right Return   # SELECT: the jump panel, grey, where the film was
shot jump-panel --count 404040 100000 || { echo "the jump panel is not drawn"; exit 1; }
xdotool key Escape
kill -0 "$pid" || { echo "the program ended by itself"; exit 1; }
kill "$pid"; wait "$pid" || true
STEPS
