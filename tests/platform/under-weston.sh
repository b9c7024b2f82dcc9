#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# usage: under-weston.sh COMMAND...: runs COMMAND as the only client of a Wayland compositor
# of its own (Weston, headless, its screen in memory).
set -euo pipefail
runtime=$(mktemp -d)
export XDG_RUNTIME_DIR=$runtime
weston --backend=headless-backend.so --use-pixman --socket=test --idle-time=0 \
    --log="$runtime/weston.log" &
weston_pid=$!
trap 'kill "$weston_pid" 2>/dev/null; wait "$weston_pid" 2>/dev/null; rm -rf "$runtime"' EXIT
for _ in $(seq 100); do [ -S "$runtime/test" ] && break; sleep 0.05; done
[ -S "$runtime/test" ] || { cat "$runtime/weston.log"; echo "Weston did not start"; exit 1; }
env -u DISPLAY WAYLAND_DISPLAY=test QT_QPA_PLATFORM=wayland "$@"
