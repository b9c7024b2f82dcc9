#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A film of an evening, worked with real X keys, with or without a window manager: stopped
# part-way, it is asked for the next time the program runs and goes on from there, with the
# tracks it had; the remote's subtitle button changes its subtitles and says so over its foot.
# usage: film.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
prepare "$@"
# Heard in English (5.1) or Spanish, subtitled in Spanish or (forced) in English; the last row.
cp "$(dirname "$0")/../data/tracks.mkv" "$work/demo/Videos/Una película.mkv"
run_in_x 1280x720 <<'STEPS'
# kept: where the film was left, as "SECONDS AUDIO SUBTITLES".
kept() { awk '{ print $4, $5, $6 }' "$work/resume.txt" 2>/dev/null; }
kept_other_than() { [ -n "$(kept)" ] && [ "$(kept)" != "$1" ]; }

choose_row 1                               # Mi Cine
xdotool key End Return                     # Una película.mkv
opened "Una película.mkv"
await film --video || { echo "the film did not start"; exit 1; }
xdotool key --delay 200 XF86AudioNext XF86AudioNext XF86AudioNext XF86AudioNext  # 40 s on
sleep 1
xdotool key XF86AudioStop
within 50 kept_other_than "" || { echo "STOP kept nothing of the film"; exit 1; }
read -r left audio subtitles <<<"$(kept)"
[ "$audio $subtitles" = "2 no" ] ||
    { echo "the film started with audio $audio and subtitles $subtitles, not Spanish alone"; exit 1; }

end_program                                # the next evening
"$program" 2>>"$work/program.err" & pid=$!
within 200 window_shown || { echo "the window did not appear again"; exit 1; }
sleep 0.5
choose_row 1
xdotool key End
hold Return                                # the question, which the held key does not answer
await question --count 404040 100000 || { echo "no question for the film left part-way"; exit 1; }
! holds "Una película.mkv" || { echo "the held key answered the question"; exit 1; }
xdotool key Return                         # "Reanudar desde 0:40", framed first
resumed=$(date +%s.%N)
opened "Una película.mkv"
await resumed --video || { echo "the film did not go on"; exit 1; }
xdotool key F3                             # Spanish subtitles, told over the film's foot
await subtitles --colour-at 405 570 404040 || { echo "no note over the film"; exit 1; }
await subtitles --video || { echo "the note hid the film"; exit 1; }
before=$(kept)
xdotool key XF86AudioNext                  # 10 s on, and the program ended as a session ends
sleep 0.5
ended=$(date +%s.%N)
end_program
kept_other_than "$before" || { echo "ending the program did not keep the film's place"; exit 1; }
read -r again audio subtitles <<<"$(kept)"
# Where it went on from: where it was kept, less the ten seconds on and the time it played.
awk -v again="$again" -v left="$left" -v from="$resumed" -v to="$ended" \
    'BEGIN { gap = again - 10 - (to - from) - left; exit !(gap > -1 && gap < 1) }' ||
    { echo "left at $left s, it went on from $again s less 10 s and the time played"; exit 1; }
[ "$audio $subtitles" = "2 1" ] || { echo "the subtitle key chose $subtitles"; exit 1; }
STEPS
