#!/usr/bin/env bash
# A 4K television and a 1080-row screen show the same layout: the program is started at
# 1920 x 1080 and at 3840 x 2160, and at 4K the highlight bar and the title's letters are
# twice as tall, the main menu and the picture library's preview look as they do at 1080
# when shrunk to that size, and a film covers the whole screen (drawn at the screen's own
# resolution: a film drawn at the layout's size would cover a quarter of it).
# usage: bigscreen.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
out=$4
mkdir -p "$out"
prepare "$1" "$3"
wm=${E2E_WM:-bare}

for size in 1920x1080 3840x2160; do
    run_in_x "$size" "$2" "$out" "$size" "$wm" <<'STEPS'
SCREENSHOT=$1 OUT=$2 SIZE=$3 WM=$4
scale=$(( ${SIZE#*x} / 1080 ))
reference=1920x1080
shot() { echo "$OUT/$1-$SIZE-$WM.png"; }
# same NAME: the screen matches the 1080 run's shot of that name (taken as the reference).
same() {
    if [ "$SIZE" = "$reference" ]; then
        await "$SCREENSHOT" "$(shot "$1")"
    else
        await "$SCREENSHOT" "$(shot "$1")" --same-as "$OUT/$1-$reference-$WM.png" ||
            { echo "the $1 screen is not laid out as at $reference"; exit 1; }
    fi
}
# measure WHAT RRGGBB X0 Y0 X1 Y1 (at 1080 rows): writes the height of that colour's box.
measure() {
    local what=$1 colour=$2
    shift 2
    await_extent 'bottom > top' "$SCREENSHOT" "$(shot "$what")" "$colour" \
        $(( $1 * scale )) $(( $2 * scale )) $(( $3 * scale )) $(( $4 * scale )) ||
        { echo "no $what"; exit 1; }
    echo $(( bottom - top + 1 )) > "$OUT/$what-$SIZE-$WM.height"
}

measure highlight-bar 316ac5 0 120 960 240   # the first row's bar
measure title-text ffffff 20 85 1900 130     # "Telarino 0.1a" inside the title's frame
same main-menu

xdotool key Down Down Down Return   # Mis Imágenes
sleep 0.5
xdotool key End                     # Mandelbrot.jpg, previewed beside the list
sleep 1
same picture-preview

xdotool key Home Down Down Return   # MENU PRINCIPAL
sleep 0.5
xdotool key Down Return             # Mi Cine
sleep 0.5
xdotool key Return                  # Carta de ajuste.mpg
opened "Carta de ajuste.mpg"
await "$SCREENSHOT" "$(shot film)" --video || { echo "the film does not cover the screen"; exit 1; }
xdotool key Right                   # the control panel over the film, kept to look at
sleep 0.7
"$SCREENSHOT" "$(shot control-panel)"
kill -0 "$pid" || { echo "the program ended by itself"; exit 1; }
kill "$pid"; wait "$pid" || true
STEPS
done

status=0
for what in highlight-bar title-text; do
    small=$(cat "$out/$what-1920x1080-$wm.height") big=$(cat "$out/$what-3840x2160-$wm.height")
    echo "$what: $small rows at 1080, $big rows at 2160"
    (( big >= 2 * small - 2 && big <= 2 * small + 2 )) ||
        { echo "the $what is not twice as tall at 4K"; status=1; }
done
exit $status
