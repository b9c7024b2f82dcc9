#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package, unpacks it into an empty folder and starts the installed program
# under a virtual X server with an empty home: it must show the main menu as the build's own
# program shows it without a library, and create nothing in the home but its own
# configuration folder.
# usage: package.sh BUILD_FOLDER SCREENSHOT OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
build=$1
prepare "" "$2" "" "$3"

(cd "$build" && cpack -G DEB -B "$work/package" > "$work/cpack.log") ||
    { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/package/sofavio_*.deb)
echo "package: $(basename "$deb"); depends: $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/org.sofavio.Sofavio.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.sofavio.Sofavio.metainfo.xml"

# The reference: the build's program with an empty home of its own.
mkdir "$work/reference"
HOME=$work/reference program=$build/src/sofavio run_in_x 1024x768 <<'STEPS'
sleep 0.5 # the menu drawn whole before it is taken as the reference
await uninstalled
end_program
STEPS

program=$work/root/usr/bin/sofavio run_in_x 1024x768 <<'STEPS'
await installed --same-as "$out/uninstalled-$wm.png" ||
    { echo "the installed program does not show the main menu as the build's does"; exit 1; }
end_program
STEPS

stray=$(cd "$HOME" &&
    find . -mindepth 1 ! -path ./.config ! -path ./.config/sofavio ! -path './.config/sofavio/*')
[ -z "$stray" ] || { echo "the installed program wrote outside ~/.config/sofavio: $stray"; exit 1; }
