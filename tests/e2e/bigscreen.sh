#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A 4K television and a 1080-row screen show the same layout: the program is started at
# 1920 x 1080 and at 3840 x 2160, and at 4K the highlight bar and the title's letters are
# twice as tall, the main menu and the picture library's preview look as they do at 1080
# when shrunk to that size, and a film covers the whole screen (drawn at the screen's own
# resolution: a film drawn at the layout's size would cover a quarter of it).
# usage: bigscreen.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
prepare "$@"
for size in 1920x1080 3840x2160; do
    run_in_x "$size" "$size" <<'STEPS'
size=$1 scale=$(( ${1#*x} / 1080 )) reference=1920x1080-$wm
wm=$size-$wm # each screenshot's name tells its size
# same NAME: the screen matches the 1080 run's shot of that name (taken as the reference).
same() {
    [ $scale = 1 ] && { await "$1"; return; }
    await "$1" --same-as "$out/$1-$reference.png" ||
        { echo "the $1 is not laid out as at 1080"; exit 1; }
}
# measure WHAT RRGGBB X0 Y0 X1 Y1 (at 1080 rows): the height of that colour's box, twice
# what it is at 1080 rows on 2160.
measure() {
    within 50 has_extent 'bottom > top' "$1" "$2" $(( $3 * scale )) $(( $4 * scale )) \
        $(( $5 * scale )) $(( $6 * scale )) || { echo "no $1"; exit 1; }
    local height=$(( bottom - top + 1 )) file=$out/$1-$reference.height
    [ $scale = 1 ] && { echo $height > "$file"; return; }
    local small=$(cat "$file")
    echo "$1: $small rows high at 1080, $height at 2160"
    (( height >= 2 * small - 2 && height <= 2 * small + 2 )) ||
        { echo "the $1 is $height rows high at 4K, $small at 1080"; exit 1; }
}

measure highlight-bar 316ac5 0 120 960 240   # the first row's bar
measure title-text ffffff 20 85 1900 130     # "Telarino 0.1a" inside the title's frame
same main-menu

choose_row 3                        # Mis Imágenes
xdotool key End                     # Mandelbrot.jpg, previewed beside the list
sleep 1
same picture-preview

choose_row 2                        # MENU PRINCIPAL
choose_row 1                        # Mi Cine
xdotool key Return                  # Carta de ajuste.mpg
opened "Carta de ajuste.mpg"
await film --video || { echo "the film does not cover the screen"; exit 1; }
end_program
STEPS
done
