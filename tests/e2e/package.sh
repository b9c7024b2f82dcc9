#!/usr/bin/env bash
# Builds the Debian package, unpacks it into an empty folder and starts the installed program
# under a virtual X server with an empty home: it must show the main menu as the build's own
# program shows it without a library, and create nothing in the home but its own
# configuration folder.
# usage: package.sh BUILD_FOLDER SCREENSHOT OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
build=$1 screenshot=$2 out=$3
mkdir -p "$out"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work/package" > "$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/package/sofavio_*.deb)
echo "package: $(basename "$deb"); depends: $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/org.sofavio.Sofavio.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.sofavio.Sofavio.metainfo.xml"

mkdir -p "$work/home" "$work/runtime" "$work/reference"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME

# The reference: the build's program with an empty home of its own.
HOME=$work/reference program=$build/src/sofavio run_in_x 1024x768 "$screenshot" "$out/uninstalled.png" <<'STEPS'
sleep 0.5
"$1" "$2"
kill "$pid"; wait "$pid" || true
STEPS

export HOME=$work/home
program=$work/root/usr/bin/sofavio run_in_x 1024x768 "$screenshot" "$out/installed.png" "$out/uninstalled.png" <<'STEPS'
sleep 0.5
await "$1" "$2" --same-as "$3"
kill -0 "$pid" || { echo "the installed program ended by itself"; exit 1; }
kill "$pid"; wait "$pid" || true
STEPS

stray=$(cd "$HOME" && find . -mindepth 1 ! -path './.config' ! -path './.config/sofavio' ! -path './.config/sofavio/*')
if [ -n "$stray" ]; then
    echo "the installed program wrote outside ~/.config/sofavio:"
    echo "$stray"
    exit 1
fi
echo "nothing written outside ~/.config/sofavio"
