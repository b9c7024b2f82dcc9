#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A library with a folder on a share that is asleep, worked with real X keys, with or without
# a window manager: while the share takes five seconds a call, the screen says the folder is
# being read, the clock goes on with the song, Escape leaves at once, and asked again the
# folder is listed; a folder whose share never answers, the picture library among them,
# costs nothing: the program starts as usual, and "SALIR" still ends it at once.
# usage: nas.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
prepare "$@"
slowfs=$(dirname "$2")/slowfs
[ -e /dev/fuse ] && command -v fusermount3 >/dev/null ||
    { echo "skipped: no /dev/fuse or fusermount3 on this machine"; exit 77; }

# The share, mounted inside the music library as a NAS folder of albums is.
mkdir -p "$work/share/Colgada" "$work/share/Lenta" "$work/demo/Musica/NAS"
cp "$work/demo/Musica/Orquesta Demo - Primer Disco/01 Obertura.mp3" "$work/share/Lenta/"
cp "$work/share/Lenta/01 Obertura.mp3" "$work/share/Colgada/"
"$slowfs" --delay-ms=5000 --hang=Colgada "$work/share" "$work/demo/Musica/NAS" -f \
    2>"$work/slowfs.log" &
share_pid=$!
# Each step may find nothing to do (a share that never mounted); the script's status stays.
trap 'kill -USR1 $share_pid 2>/dev/null || true; fusermount3 -uz "$work/demo/Musica/NAS" 2>/dev/null || true
      wait $share_pid 2>/dev/null || true; stop_x; rm -rf "$work"' EXIT
if ! within 50 mountpoint -q "$work/demo/Musica/NAS"; then
    cat "$work/slowfs.log"
    # Mounting is for root, or a user that may open /dev/fuse: anyone else skips.
    ! grep -q "/dev/fuse\|fusermount" "$work/slowfs.log" || { echo "skipped: cannot mount"; exit 77; }
    exit 1
fi
sed -i "3s|.*|$work/demo/Musica/NAS/Colgada|" "$work/folders.ini"   # Mis Imágenes

run_in_x 1280x720 <<'STEPS'
ended() { ! kill -0 $pid 2>/dev/null; }
# listed: the list's highlight is on screen; while a folder is read the notice covers it.
listed() { "$screenshot" "$out/$1-$wm.png" --count 316ac5 2000 >/dev/null; }
reading() { "$screenshot" "$out/$1-$wm.png" --count 316ac5 1 >/dev/null && return 1; return 0; }
# titled: the title above the list has text (white), as the root of a share has none.
titled() { has_extent 'right > left' "$1" ffffff 20 32 1260 76; }

choose_row 2                               # Mi Música: NAS, then the album
xdotool key Down Return Return             # the album's first song plays
opened "01 Obertura.mp3"
xdotool key BackSpace                      # Mi Música again, NAS highlighted
sleep 0.5
listed before || { echo "Mi Música is not listed"; exit 1; }

xdotool key Return                         # the share takes its time
asked=$(date +%s%N)
within 10 reading notice || { echo "no notice within a second of Enter"; exit 1; }
echo "the notice after $((($(date +%s%N) - asked) / 1000000)) ms"
"$screenshot" "$out/clock-1-$wm.png" >/dev/null
sleep 1.2
! "$screenshot" "$out/clock-2-$wm.png" --same-as "$out/clock-1-$wm.png" 1080 664 1270 704 \
    >/dev/null || { echo "the clock stood still while the folder was read"; exit 1; }
xdotool key Down Down                      # keys other than Escape wait
reading still || { echo "a key left the notice"; exit 1; }
xdotool key Escape
left=$(date +%s%N)
within 5 listed back || { echo "Escape did not give up the folder"; exit 1; }
echo "Escape left after $((($(date +%s%N) - left) / 1000000)) ms"
titled back || { echo "Escape did not leave Mi Música as it was"; exit 1; }
sleep 6                                    # the first read's answer comes, and is dropped
titled dropped || { echo "the folder given up was listed after all"; exit 1; }

xdotool key Return                         # asked again, the share is waited for
within 10 reading again || { echo "no notice the second time"; exit 1; }
within 130 listed share || { echo "the share was never listed"; exit 1; }
! titled share || { echo "the share's root has a title"; exit 1; }

xdotool key Return                         # Colgada: its share never answers
within 10 reading hanging || { echo "no notice for the folder that never answers"; exit 1; }
xdotool key Escape
within 5 listed share-again || { echo "Escape did not give up the folder that hangs"; exit 1; }
xdotool key Home Down Down Return          # MENU PRINCIPAL
sleep 0.5
xdotool key Home Down Down Down Return     # Mis Imágenes, on the share that never answers
within 10 reading pictures || { echo "no notice for the picture library"; exit 1; }
xdotool key Escape
within 5 listed main-menu || { echo "Escape did not give up the picture library"; exit 1; }
xdotool key End Return                     # SALIR
quit=$(date +%s%N)
within 10 ended || { echo "SALIR did not end the program within a second"; exit 1; }
echo "SALIR ended the program after $((($(date +%s%N) - quit) / 1000000)) ms"
wait $pid || true
STEPS
