#!/usr/bin/env bash
# Starts the real program on the demo library under a virtual X server of the given size,
# waits for its window, takes a screenshot and checks that something was drawn.
# usage: smoke.sh SOFAVIO SCREENSHOT DEMO_FOLDER OUT_FOLDER WIDTHxHEIGHT
set -euo pipefail
source "$(dirname "$0")/common.sh"
sofavio=$1 screenshot=$2 demo=$3 out=$4 size=$5
mkdir -p "$out"
prepare "$sofavio" "$demo"
shot=$out/main-menu-$size-${E2E_WM:-bare}.png
run_in_x "$size" "$screenshot" "$shot" <<'STEPS'
sleep 0.5
"$1" "$2"
kill -0 "$pid" || { echo "the program ended by itself"; exit 1; }
kill "$pid"; wait "$pid" || true
STEPS
echo "screenshot: $shot"
