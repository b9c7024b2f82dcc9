#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test program; when LeakSanitizer itself died as the program ended (its tracer now and
# then crashes on a loaded machine: google/sanitizers#1353), runs it once more. Every other
# failure stands as it is.
# usage: rerun-if-lsan-died.sh COMMAND...
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$@" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
if [ "$status" != 0 ] && grep -q "LeakSanitizer has encountered a fatal error" "$log"; then
    echo "== LeakSanitizer died, not the test: once more"
    "$@"
    exit
fi
exit "$status"
