#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A remote's keymap that scripts/mce-keymap or scripts/cec-keymap writes: ir-keytable accepts
# it, and each button Sofavio acts on reaches X as the key the program knows, read from the X
# server's own key map (an X key code is the kernel's key number plus 8).
# usage: mcekeymap.sh KEYMAP_SCRIPT mce|cec [KERNEL_KEYMAP]   (on an X server)
set -euo pipefail
# Each remote's buttons: scancode, name, and the X key Sofavio must get. Every key the program
# acts on has its row, and so has each button the script maps to one.
declare -A buttons=([mce]='0x800f041e Up Up
0x800f041f Down Down
0x800f0420 Left Left
0x800f0421 Right Right
0x800f0422 OK Return
0x800f0423 Back XF86Back
0x800f040d Start Escape
0x800f040a Clear Delete
0x800f0412 Channel+ Prior
0x800f0413 Channel- Next
0x800f0415 Rewind Home
0x800f0414 FastForward End
0x800f045b Red F1
0x800f045c Green F2
0x800f045a Subtitle F3
0x800f044c Language F4
0x800f0416 Play XF86AudioPlay
0x800f0418 Pause XF86AudioPause
0x800f046e Play/Pause XF86AudioPlay
0x800f0419 Stop XF86AudioStop
0x800f041a Next XF86AudioNext
0x800f041b Previous XF86AudioPrev'
[cec]='0x01 Up Up
0x02 Down Down
0x03 Left Left
0x04 Right Right
0x00 Select Return
0x32 PreviousChannel XF86Back
0x0d Exit Escape
0x2c Clear Delete
0x30 Channel+ Prior
0x31 Channel- Next
0x48 Rewind Home
0x49 FastForward End
0x72 Red F1
0x73 Green F2
0x74 Yellow F3
0x71 Blue F4
0x51 SubPicture F3
0x44 Play XF86AudioPlay
0x46 Pause XF86AudioPause
0x45 Stop XF86AudioStop
0x4b SkipForward XF86AudioNext
0x4c SkipBackward XF86AudioPrev')
keymap=$(mktemp --suffix=.toml) # ir-keytable reads the format the name says
trap 'rm -f "$keymap"' EXIT
"$1" ${3:+"$3"} > "$keymap"
ir-keytable --test-keymap="$keymap" >/dev/null || { echo "ir-keytable refuses the keymap"; exit 1; }
x_keys=$(xmodmap -pke)
status=0
while read -r scancode button expected; do
    key=$(sed -n "s/^$scancode = \"\(KEY_[A-Z0-9_]*\)\"$/\1/p" "$keymap")
    number=$(awk -v key="$key" '$1 == "#define" && $2 == key { print $3 }' \
                 /usr/include/linux/input-event-codes.h)
    sent=
    [ -n "$number" ] && sent=$(awk -v code=$((number + 8)) '$1 == "keycode" && $2 == code { print $4 }' <<< "$x_keys")
    if [ "$sent" != "$expected" ]; then
        echo "$button ($scancode, ${key:-no key}) reaches X as ${sent:-nothing}, not $expected"
        status=1
    fi
done <<< "${buttons[$2]}"
exit $status
