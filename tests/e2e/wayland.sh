#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program under a Wayland compositor, worked with real keys: Weston (its desktop shell,
# drawing with the processor) runs as a window on a virtual X server, which hands it the X
# keys and pointer and shows what it draws. The window comes up full screen with the main
# menu; the pointer hides; the delete question, the picture viewer and a message box come
# above the full-screen window; a song plays behind the menu and a film fills the screen.
# usage: wayland.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
prepare "$@"
wm=wayland # in the screenshots' names
picture=$work/demo/Imagenes/Automata.gif

E2E_WM="" start_x 1280x720
# The shell fades the screen in from black at its start: a quick program would be caught
# half-lit.
printf '[shell]\nstartup-animation=none\nanimation=none\nclose-animation=none\n' \
    > "$work/weston.ini"
weston --backend=x11-backend.so --use-pixman --width=1280 --height=720 \
    --config="$work/weston.ini" --socket=sofavio-test --idle-time=0 \
    --log="$work/weston.log" &
weston_pid=$!
trap 'kill "${pid:-}" "$weston_pid" 2>/dev/null; stop_x; rm -rf "$work"' EXIT
within 50 test -S "$XDG_RUNTIME_DIR/sofavio-test" ||
    { cat "$work/weston.log"; echo "Weston did not start"; exit 1; }
# Weston moves its pointer by the X pointer's moves: from the corner, the two are one.
xdotool mousemove 0 0

env -u DISPLAY WAYLAND_DISPLAY=sofavio-test QT_QPA_PLATFORM=wayland "$work/sofavio" \
    2> >(tee "$work/program.err" >&2) &
pid=$!
# Full screen: where a window's title bar or the shell's panel would be, the program's black.
await menu --colour-at 80 15 000000
await menu --colour-at 640 128 316ac5 # "Mi TV" highlighted

# pointer_seen NAME X Y: moves the pointer to X,Y, over black, and tells whether it shows
# there (its white edge); pointer_gone the opposite.
pointer_seen() {
    xdotool mousemove "$2" "$3"
    has_extent 1 "pointer-$1" ffffff $(($2 - 10)) $(($3 - 5)) $(($2 + 30)) $(($3 + 30))
}
pointer_gone() { ! pointer_seen "$@"; }
# The pointer shows where it moves and hides by itself, here over the black now-playing panel.
within 20 pointer_seen menu 600 665 || { echo "the pointer never showed over the menu"; exit 1; }
within 60 pointer_gone menu 600 665 || { echo "the pointer did not hide over the menu"; exit 1; }

choose_row 3 # Mis Imágenes, Automata.gif highlighted
# Where the compositor puts the question and the message box is its own choice, but they are
# found by their colours anywhere; Wayland's key repeat is the program's own.
own_windows "$picture"
choose_row 2 # MENU PRINCIPAL
xdotool key End Up Return # Copiar Media ...
sleep 0.3
xdotool key Return # Vídeos: the import without a disc drive, a light grey message box
await message-box --count efefef 10000 || { echo "no message box"; exit 1; }
xdotool key Return Escape
sleep 0.3

# A song behind the menu, which stays drawn as the film's window is made on the first item
# played.
choose_row 2 # Mi Música
xdotool key Return Return # the album, its first song
opened "01 Obertura.mp3"
await song --colour-at 640 278 316ac5 # its row highlighted
"$screenshot" "$out/song-$wm.png" --no-video

choose_row 2 # MENU PRINCIPAL
choose_row 1 # Mi Cine
xdotool key Return # the film, highlighted first
await film --video
await film --colour-at 80 15 000000
xdotool key space # paused, so the film stays
# over the black bar beside the 4:3 picture
within 60 pointer_gone film 80 400 || { echo "the pointer did not hide over the film"; exit 1; }
end_program
