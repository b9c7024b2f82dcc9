#!/usr/bin/env bash
# The program's own windows open in front of its full-screen window, where a person sees
# them, with or without a window manager: the delete question, the picture viewer and a
# message box, each seen in a screenshot by pixels only it has. Under a window manager,
# closing the delete question from outside (Alt+F4) with "Sí" framed deletes nothing.
# usage: windows.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
mkdir -p "$4"
prepare "$1" "$3"
run_in_x 1024x768 "$2" "$4" "${E2E_WM:-bare}" "$work/demo/Imagenes/Automata.gif" <<'STEPS'
shot() { await "$1" "$2/$3-$4.png" "${@:5}"; }
xdotool key Down Down Down Return    # Mis Imágenes, Automata.gif highlighted
sleep 0.5

# The question is a grey panel in the middle of the screen, where the list is green. Held
# down, Delete repeats, but the question waits for the key to be let go.
xdotool keydown Delete
sleep 1.2
if "$1" "$2/delete-held-$3.png" --colour-at 200 270 404040; then
    echo "the question came while Delete was still held"; exit 1
fi
xdotool keyup Delete
shot "$1" "$2" delete-question "$3" --colour-at 200 270 404040
xdotool key Escape
sleep 0.3
[ -f "$4" ] || { echo "Escape deleted the picture"; exit 1; }
if [ "$3" = openbox ]; then
    xdotool key Delete
    shot "$1" "$2" delete-question-again "$3" --colour-at 200 270 404040
    xdotool key Left alt+F4          # "Sí" framed, then the window manager's close
    sleep 0.5
    [ -f "$4" ] || { echo "closing the question from outside deleted the picture"; exit 1; }
    echo "closed from outside, the picture stays"
fi

# The viewer covers the screen in black, also at its left edge, where the window is green.
xdotool key Return
shot "$1" "$2" picture-viewer "$3" --colour-at 5 700 000000
xdotool key Escape
sleep 0.3

# The import without a disc drive: a message box, light grey, in the middle of the screen.
xdotool key Home Down Down Return    # MENU PRINCIPAL
sleep 0.3
xdotool key End Up Return            # Copiar Media ...
sleep 0.3
xdotool key Return                   # Vídeos
sleep 0.7
box=yes
await_extent 'right - left >= 150 && bottom - top >= 40' \
    "$1" "$2/message-box-$3.png" efefef 262 284 762 484 || box=no
echo "message box: $box ($left $top $right $bottom)"
[ $box = yes ] || { echo "no message box on the screen"; exit 1; }
xdotool key Return Escape
sleep 0.3
kill -0 "$pid" || { echo "the program ended by itself"; exit 1; }
kill "$pid"; wait "$pid" || true
STEPS
