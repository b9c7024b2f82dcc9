#!/usr/bin/env bash
# Starts the real program on the demo library under a virtual X server of the given size,
# waits for its window, takes a screenshot and checks that something was drawn.
# usage: smoke.sh SOFAVIO SCREENSHOT DEMO_FOLDER WIDTHxHEIGHT OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
sofavio=$1 screenshot=$2 demo=$3 size=$4 out=$5
mkdir -p "$out"
prepare "$sofavio" "$demo"
run_in_x "$size" "$screenshot" "$out/main-menu-$size.png" <<'STEPS'
sleep 0.5
"$1" "$2"
kill -0 "$pid" || { echo "the program ended by itself"; exit 1; }
kill "$pid"; wait "$pid" || true
STEPS
echo "screenshot: $out/main-menu-$size.png"
