#!/usr/bin/env bash
# Delete, in a folder named in Latin-1, on a home that holds the library and has no
# ~/.local/share: the picture goes to the desktop's trash, where another reader of the trash
# (trash-cli) finds it, and nothing lands in the folder the program was started from.
# usage: trash.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
mkdir -p "$4"
prepare "$1" "$3"
export HOME=$work   # the library inside the home, as ~/Imágenes is
folder=$work/demo/Imagenes/$'Caf\xe9'
mkdir "$folder"
cp "$work/demo/Imagenes/Automata.gif" "$folder/foto.gif"
mkdir "$work/started-in"
cd "$work/started-in"
run_in_x 1024x768 "$2" "$4" "${E2E_WM:-bare}" "$folder/foto.gif" <<'STEPS'
xdotool key Down Down Down Return    # Mis Imágenes, the folder "Café" highlighted
sleep 0.5
xdotool key Return                   # into it, foto.gif highlighted
sleep 0.5
xdotool key Delete
await "$1" "$2/trash-question-$3.png" --colour-at 200 270 404040
xdotool key Left Return              # Sí
for _ in $(seq 25); do [ -e "$4" ] || break; sleep 0.2; done
[ ! -e "$4" ] || { echo "the picture was not deleted"; exit 1; }
listing=$(trash-list)
echo "trash-list: $listing"
grep -q "/foto.gif$" <<<"$listing" || { echo "trash-list does not see the picture"; exit 1; }
cmp "$HOME/.local/share/Trash/files/foto.gif" "$work/demo/Imagenes/Automata.gif"
leftovers=$(ls -A "$work/started-in")
[ -z "$leftovers" ] || { echo "left in the starting folder: $leftovers"; exit 1; }
kill -0 "$pid" || { echo "the program ended by itself"; exit 1; }
kill "$pid"; wait "$pid" || true
STEPS
