#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# An evening in front of the screen, 16:9, worked with real X keys as a keyboard or a media
# remote sends them, with or without a window manager: a picture, a song, films, "SALIR".
# usage: evening.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
prepare "$@"
run_in_x 1280x720 "$work/demo/Imagenes/Automata.gif" <<'STEPS'
saver() { "$screenshot" "$out/screen-$wm.png" --saver "$1"; }
ended() { ! kill -0 $pid 2>/dev/null; }

choose_row 3                   # Mis Imágenes, Automata.gif highlighted
own_windows "$1"
choose_row 2                   # MENU PRINCIPAL
choose_row 2                   # Mi Música
xdotool key Return             # the album
hold BackSpace                 # back to Mi Música once, not on past the main menu
xdotool key Return Return      # the album, its first song
opened "01 Obertura.mp3"
xdotool key space              # paused, so the song does not end during the test
# The artist, title and album are read in full: the text reaches well past its designed 303
# pixels.
within 50 has_extent 'right > 340' now-playing ffffff 24 642 1200 672 ||
    { echo "the now-playing text is cut: it ends at x=$right"; exit 1; }
xdotool key XF86AudioNext
opened "02 Andante.mp3" || { echo "XF86AudioNext did not play the next song"; exit 1; }

choose_row 2                   # MENU PRINCIPAL
xdotool key Home Down          # Mi Cine, double-clicked: opened, and its REPRODUCIR TODO,
within 20 has_extent 'bottom > top' mi-cine 316ac5 0 0 1279 719  # under the second click,
xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click --repeat 2 --delay 80 1
sleep 1                        # not chosen
! holds "Carta de ajuste.mpg" || { echo "a double click chose twice"; exit 1; }
xdotool key Return             # Carta de ajuste.mpg, highlighted first
opened "Carta de ajuste.mpg"
xdotool key space
# A 4:3 film on 16:9 fills the screen's height, with black bars beside it.
await film-4-3 --video || { echo "the film does not fill the screen"; exit 1; }
await film-4-3 --colour-at 5 360 000000
await film-4-3 --colour-at 1274 360 000000
await ! film-4-3 --colour-at 640 710 000000 || { echo "the film does not reach the foot"; exit 1; }

xdotool key Right              # the control panel, PAUSE framed
await control-panel --colour-at 640 645 ffffff ||
    { echo "the control panel is not drawn over the film's foot"; exit 1; }
xdotool key Return             # PAUSE, and the panel goes: the film has its full height
await ! after-pause --colour-at 640 710 002b00 ||
    { echo "a green band stays at the foot of the film"; exit 1; }
xdotool key Right              # the control panel again, the frame one further: STOP
sleep 0.5
xdotool key Right Right Right Return   # SELECT: the jump panel, grey, where the film was
await jump-panel --count 404040 100000 || { echo "the jump panel is not drawn"; exit 1; }
xdotool key Return Left Return         # "Más", then "OK"
await after-jump --video || { echo "the film did not come back after the jump"; exit 1; }
xdotool key Escape
await film-hidden --no-video || { echo "Escape did not take the film away"; exit 1; }

# A film that starts by itself stays under the import screen: both films played in turn, the
# first paused until the import screen, opened with Enter held, is up.
xdotool key Home Down Return XF86AudioPause  # REPRODUCIR TODO
await all-films --video || { echo "REPRODUCIR TODO showed no film"; exit 1; }
xdotool key Escape
choose_row 2                   # MENU PRINCIPAL
xdotool key End Up             # Copiar Media ...
hold Return
await import-screen --count 404040 100000 || { echo "no import screen"; exit 1; }
xdotool key XF86AudioPlay
opened "Prueba de color.mkv"
sleep 0.5
await import-over-film --no-video || { echo "the next film covers the import screen"; exit 1; }
xdotool key Escape             # the import screen goes, the film is there
await film-after-import --video || { echo "the film did not come back"; exit 1; }
xdotool key Escape
choose_row 1                   # Mi Cine

# The X screensaver, set to start after a second without input, stays off while a film
# plays; the remote's pause and play buttons are seen by it.
xdotool key End Return         # Prueba de color.mkv, three seconds long
opened "Prueba de color.mkv"
xset s 1 0
xdotool key XF86AudioPause     # paused at once, as it opens, to keep its seconds for later
sleep 2
saver on || { echo "the screensaver never started once XF86AudioPause was pressed"; exit 1; }
xdotool key XF86AudioPlay      # for a second more than the screensaver waits
sleep 1.2
saver off || { echo "the screensaver started once XF86AudioPlay was pressed"; exit 1; }
# Where there is no graphics card, the films decode on the processor without a word. (Asked
# before the end, where a sanitizer build has its say.)
if ! compgen -G "/dev/dri/renderD*" >/dev/null && [ ! -e /dev/nvidia0 ]; then
    [ ! -s "$work/program.err" ] || { echo "the program wrote:"; cat "$work/program.err"; exit 1; }
fi

# "SALIR", during the film: the program ends with status 0, and the X server lets the
# screensaver start again.
xdotool key Escape
choose_row 2                   # MENU PRINCIPAL
xdotool key End Return         # SALIR
within 50 ended || { echo "SALIR did not end the program"; kill $pid; exit 1; }
wait $pid || { echo "the program ended with status $?"; exit 1; }
sleep 2
saver on || { echo "the screensaver never started once the program was gone"; exit 1; }
STEPS
