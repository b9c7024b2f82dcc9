# SPDX-License-Identifier: GPL-3.0-or-later
# Steps of the end-to-end scripts, most of them run inside X with the program started as
# $pid. Screenshots are taken with $screenshot as $out/NAME-$wm.png.

# within TENTHS COMMAND...: runs COMMAND every tenth of a second until it succeeds, for up to
# TENTHS tenths of a second, as a loaded machine may be slow; fails if it never does.
within() {
    local tenths=$1
    shift
    for _ in $(seq "$tenths"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# holds NAME: whether the program holds a file whose path has NAME open. (Listings are read
# whole: with pipefail, a grep that stops early would fail the command it reads.)
holds() { grep -qF "$1" <(ls -l "/proc/$pid/fd" 2>/dev/null); }

# opened NAME: waits up to five seconds for the program to hold a file whose path has NAME.
opened() { within 50 holds "$1" || { echo "the program never opened $1"; return 1; }; }

window_shown() { grep -q '"Sofavio"' <(xwininfo -root -tree 2>/dev/null); }

# choose_row N: chooses the row N below the list's first: in the main menu 1 is Mi Cine, 2 Mi
# Música, 3 Mis Imágenes; in a folder 2 is MENU PRINCIPAL.
choose_row() {
    xdotool key Home $(printf 'Down %.0s' $(seq "$1")) Return
    sleep 0.5
}

# hold KEY: holds KEY down for a second, long enough for X to repeat it.
hold() {
    xdotool keydown "$1"
    sleep 1
    xdotool keyup "$1"
    sleep 0.3
}

# await [!] NAME CHECK...: takes screenshots until the screenshot tool's CHECK passes (with !,
# until it fails), for up to five seconds, as a loaded machine may take a while to draw;
# prints the last answer.
await() {
    local want=0 status=0
    [ "$1" != ! ] || { want=1; shift; }
    within 25 shot_ends $want "$out/$1-$wm.png" "${@:2}" || status=1
    echo "$answer"
    return $status
}
# shot_ends STATUS FILE CHECK...: whether the screenshot tool's CHECK ends with STATUS (0 or 1).
shot_ends() {
    local status=0
    answer=$("$screenshot" "${@:2}") || status=1
    [ $status = "$1" ]
}

# has_extent TEST NAME RRGGBB X0 Y0 X1 Y1: takes a screenshot, sets left, top, right and
# bottom to the box of that colour in that area (left is "none" without one), and tells
# whether there is one and the arithmetic TEST on them holds.
has_extent() {
    local file=$out/$2-$wm.png
    read -r _ left top right bottom < <("$screenshot" "$file" --extent "${@:3}" | tail -n 1)
    [ "$left" != none ] && (($1))
}

# own_windows PICTURE: with PICTURE highlighted, the program's own windows come in front of
# its full-screen window, each seen by pixels only it has: the delete question, a grey panel
# (held down, Delete repeats, but the question waits for the key to be let go; Escape keeps
# the picture), then the picture viewer, opened with Enter held (once, not opened and closed
# at each repeat), black also at the screen's left edge, where the window is green.
own_windows() {
    xdotool keydown Delete
    sleep 1.2
    ! "$screenshot" "$out/delete-held-$wm.png" --count 404040 100000 ||
        { echo "the question came while Delete was still held"; exit 1; }
    xdotool keyup Delete
    await delete-question --count 404040 100000 || { echo "no delete question"; exit 1; }
    xdotool key Escape
    sleep 0.3
    [ -f "$1" ] || { echo "Escape deleted the picture"; exit 1; }
    hold Return
    await picture-viewer --colour-at 5 700 000000 || { echo "no picture viewer"; exit 1; }
    xdotool key Escape
    sleep 0.3
}

# end_program: ends the program, which must still be running.
end_program() {
    kill -0 "$pid" || { echo "the program ended by itself"; exit 1; }
    kill "$pid"
    wait "$pid" || true
}
