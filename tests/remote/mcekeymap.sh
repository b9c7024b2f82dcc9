#!/usr/bin/env bash
# The MCE remote's keymap that scripts/mce-keymap writes: ir-keytable accepts it, and each
# button Sofavio acts on reaches X as the key the program knows, read from the X server's own
# key map (an X key code is the kernel's key number plus 8).
# usage: mcekeymap.sh MCE_KEYMAP_SCRIPT [KERNEL_KEYMAP]   (on an X server)
set -euo pipefail
keymap=$(mktemp --suffix=.toml) # ir-keytable reads the format the name says
trap 'rm -f "$keymap"' EXIT
"$1" ${2:+"$2"} > "$keymap"
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
done <<'BUTTONS'
0x800f041e Up Up
0x800f041f Down Down
0x800f0420 Left Left
0x800f0421 Right Right
0x800f0422 OK Return
0x800f0423 Back XF86Back
0x800f040a Clear Delete
0x800f0416 Play XF86AudioPlay
0x800f0418 Pause XF86AudioPause
0x800f046e Play/Pause XF86AudioPlay
0x800f0419 Stop XF86AudioStop
0x800f041a Next XF86AudioNext
0x800f041b Previous XF86AudioPrev
BUTTONS
exit $status
