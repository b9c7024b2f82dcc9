#!/usr/bin/env bash
# A phone photo stored sideways, with its orientation in its EXIF tags, is upright in the
# preview and in the viewer: taller than it is wide.
# usage: pictures.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER SIDEWAYS_PHOTO
set -euo pipefail
source "$(dirname "$0")/common.sh"
mkdir -p "$4"
prepare "$1" "$3"
cp "$5" "$work/demo/Imagenes/Movil.jpg"   # magenta, stored 240 x 160, upright 160 x 240
run_in_x 1024x768 "$2" "$4" "${E2E_WM:-bare}" <<'STEPS'
# upright NAME X0 Y0 X1 Y1: the magenta photo's box in that area is taller than wide.
upright() {
    local found=yes
    await_extent 'bottom - top > right - left' "$1" "$2/$3-$4.png" ff00ff "${@:5}" || found=no
    echo "$3: magenta from $left,$top to $right,$bottom"
    [ $found = yes ] || { echo "the photo is not upright in the $3"; exit 1; }
}
xdotool key Down Down Down Return   # Mis Imágenes
sleep 0.5
xdotool key End                     # Movil.jpg
upright "$1" "$2" photo-preview "$3" 780 100 1023 767
xdotool key Return                  # the viewer
upright "$1" "$2" photo-viewer "$3" 0 0 1023 767
xdotool key Escape
kill -0 "$pid" || { echo "the program ended by itself"; exit 1; }
kill "$pid"; wait "$pid" || true
STEPS
