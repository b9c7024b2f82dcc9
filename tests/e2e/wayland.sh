#!/usr/bin/env bash
# The program under a Wayland compositor, worked with real keys: Weston (its desktop shell,
# drawing with the processor) runs as a window on a virtual X server, which hands it the X
# keys and pointer and shows what it draws. The window comes up full screen with the main
# menu; the pointer hides; the delete question, the picture viewer and a message box come
# above the full-screen window; a song plays behind the menu and a film fills the screen.
# Where the compositor puts the question and the message box is its own choice, so they are
# found anywhere on the screen.
# usage: wayland.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/helpers.sh"
mkdir -p "$4"
prepare "$1" "$3"
screenshot=$2 out=$4 picture=$work/demo/Imagenes/Automata.gif

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
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/sofavio-test" ] && break; sleep 0.05; done
[ -S "$XDG_RUNTIME_DIR/sofavio-test" ] || { cat "$work/weston.log"; echo "Weston did not start"; exit 1; }
# Weston moves its pointer by the X pointer's moves: from the corner, the two are one.
xdotool mousemove 0 0

env -u DISPLAY WAYLAND_DISPLAY=sofavio-test QT_QPA_PLATFORM=wayland "$work/sofavio" \
    2> >(tee "$work/program.err" >&2) &
pid=$!
# Full screen: where a window's title bar or the shell's panel would be, the program's black.
await "$screenshot" "$out/wayland-menu.png" --colour-at 80 15 000000
await "$screenshot" "$out/wayland-menu.png" --colour-at 640 128 316ac5 # "Mi TV" highlighted

# pointer_over NAME X Y: moves the pointer to X,Y, over black, and sets $left to "none"
# unless it shows there (its white edge).
pointer_over() {
    local name=$1 x=$2 y=$3
    xdotool mousemove "$x" "$y"
    extent "$screenshot" "$out/wayland-pointer-$name.png" ffffff $((x - 10)) $((y - 5)) \
        $((x + 30)) $((y + 30))
}
# pointer_hides NAME X Y: the pointer shows where it moves and hides by itself.
pointer_hides() {
    for _ in $(seq 10); do pointer_over "$@"; [ "$left" != none ] && break; sleep 0.2; done
    [ "$left" != none ] || { echo "the pointer never showed over the $1"; return 1; }
    pointer_hidden "$@"
}
# pointer_hidden NAME X Y: the pointer is not seen there, at the latest once it has hidden.
pointer_hidden() {
    for _ in $(seq 30); do pointer_over "$@"; [ "$left" = none ] && break; sleep 0.2; done
    [ "$left" = none ] || { echo "the pointer did not hide over the $1"; return 1; }
    echo "no pointer over the $1"
}
pointer_hides menu 600 665 # the black now-playing panel at the foot

xdotool key Down Down Down Return # Mis Imágenes, Automata.gif highlighted
sleep 0.5
# The question: a grey panel (640 × 240 here). Held down, Delete repeats (Wayland's repeat
# is the program's own), but the question waits for the key to be let go.
xdotool keydown Delete
sleep 1.2
if "$screenshot" "$out/wayland-delete-held.png" --count 404040 100000; then
    echo "the question came while Delete was still held"; exit 1
fi
xdotool keyup Delete
await "$screenshot" "$out/wayland-question.png" --count 404040 100000
xdotool key Escape
sleep 0.3
[ -f "$picture" ] || { echo "Escape deleted the picture"; exit 1; }

# The viewer covers the screen in black, also at its left edge, where the window is green.
xdotool key Return
await "$screenshot" "$out/wayland-viewer.png" --colour-at 5 700 000000
xdotool key Escape
sleep 0.3

# The import without a disc drive: a light grey message box.
xdotool key Home Down Down Return # MENU PRINCIPAL
sleep 0.3
xdotool key End Up Return # Copiar Media ...
sleep 0.3
xdotool key Return # Vídeos
await "$screenshot" "$out/wayland-message.png" --count efefef 10000
xdotool key Return Escape
sleep 0.3

# A song behind the menu, which stays drawn as the film's GL window is made on the first
# item played.
xdotool key Home Down Down Return # Mi Música
sleep 0.5
xdotool key Return Return # the album, its first song
opened "01 Obertura.mp3"
await "$screenshot" "$out/wayland-song.png" --colour-at 640 278 316ac5 # its row highlighted
"$screenshot" "$out/wayland-song.png" --no-video

xdotool key Home Down Down Return # MENU PRINCIPAL
sleep 0.3
xdotool key Down Return # Mi Cine
sleep 0.5
xdotool key Return # the film, highlighted first
await "$screenshot" "$out/wayland-film.png" --video
await "$screenshot" "$out/wayland-film.png" --colour-at 80 15 000000
xdotool key space # paused, so the film stays
pointer_hidden film 80 400 # the black bar beside the 4:3 picture
kill -0 "$pid" || { echo "the program ended by itself"; exit 1; }
kill "$pid"
wait "$pid" || true
