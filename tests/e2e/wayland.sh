#!/usr/bin/env bash
# The program under a Wayland compositor (Weston, headless, drawing with the processor): its
# window comes up full screen with the main menu, a song plays behind it, and the demo film
# fills the screen. Weston's headless screen has no keyboard, so the items are opened through
# the program's media controls (MPRIS OpenUri), as a desktop's would.
# usage: wayland.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/helpers.sh"
mkdir -p "$4"
prepare "$1" "$3"
screenshot=$2 out=$4

# The shell fades the screen in from black at its start: a quick program would be caught
# half-lit.
printf '[shell]\nstartup-animation=none\nanimation=none\nclose-animation=none\n' \
    > "$work/weston.ini"
weston --backend=headless-backend.so --use-pixman --width=1280 --height=720 \
    --config="$work/weston.ini" --socket=sofavio-test --idle-time=0 --debug \
    --log="$work/weston.log" &
weston_pid=$!
bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 | tr '\n' ' ')
read -r DBUS_SESSION_BUS_ADDRESS bus_pid <<< "$bus"
export DBUS_SESSION_BUS_ADDRESS
trap 'kill "${pid:-}" "$weston_pid" "$bus_pid" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/sofavio-test" ] && break; sleep 0.05; done
[ -S "$XDG_RUNTIME_DIR/sofavio-test" ] || { cat "$work/weston.log"; echo "Weston did not start"; exit 1; }
unset DISPLAY
export WAYLAND_DISPLAY=sofavio-test QT_QPA_PLATFORM=wayland

mpris() {
    gdbus call --session --dest org.mpris.MediaPlayer2.sofavio \
        --object-path /org/mpris/MediaPlayer2 "$@"
}
status() {
    mpris --method org.freedesktop.DBus.Properties.Get org.mpris.MediaPlayer2.Player \
        PlaybackStatus 2>/dev/null
}
# await_status STATUS: waits up to five seconds for the program to report it.
await_status() {
    for _ in $(seq 50); do
        [ "$(status)" = "(<'$1'>,)" ] && return 0
        sleep 0.1
    done
    echo "the program reports $(status), not $1"
    return 1
}
# open_uri PATH: as a desktop's media controls open a file (the program reads a URI loosely).
open_uri() {
    mpris --method org.mpris.MediaPlayer2.Player.OpenUri "file://$1" >/dev/null
}

"$work/sofavio" 2> >(tee "$work/program.err" >&2) &
pid=$!
await_status Stopped
# Full screen: where a window's title bar would be, the program's own black.
await "$screenshot" "$out/wayland-menu.png" --colour-at 80 47 000000
await "$screenshot" "$out/wayland-menu.png" --colour-at 640 128 316ac5 # "Mi TV" highlighted

open_uri "$work/demo/Musica/Orquesta Demo - Primer Disco/01 Obertura.mp3"
await_status Playing
# The window was made anew for OpenGL as the song opened: the menu must be drawn again.
await "$screenshot" "$out/wayland-song.png" --colour-at 640 128 316ac5
"$screenshot" "$out/wayland-song.png" --no-video

open_uri "$work/demo/Videos/Prueba de color.mkv"
await "$screenshot" "$out/wayland-film.png" --video
await "$screenshot" "$out/wayland-film.png" --colour-at 80 47 000000
kill "$pid"
wait "$pid" || true
