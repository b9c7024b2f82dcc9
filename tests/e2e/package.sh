#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a copy of the source with dpkg-buildpackage, holds it to
# lintian, installs it with apt and starts /usr/bin/sofavio under a virtual X server with an
# empty home: it must show the main menu as the build's own program shows it without a
# library, and create nothing in the home but its own configuration folder. Last, apt remove
# must leave none of the package's files behind. Installing needs root (or sudo without a
# password), and a sofavio the machine already has is not replaced: without either, the test
# is skipped (77).
# usage: package.sh BUILD_FOLDER SCREENSHOT OUT_FOLDER SOURCE_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
build=$1 source=$4
prepare "" "$2" "" "$3"

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    sudo -n true 2>/dev/null || { echo "skipped: installing a package needs root or sudo"; exit 77; }
    as_root=(sudo -n)
fi
# package_known: whether dpkg holds anything of a sofavio package, installed or half so.
package_known() {
    local state
    state=$(dpkg-query -W -f='${db:Status-Abbrev}' sofavio 2>/dev/null) || return 1
    [ -n "$state" ] && [ "$state" != "un " ]
}
if package_known; then
    echo "skipped: this machine has a sofavio package of its own, which the test would replace"
    exit 77
fi
apt_get() { "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 "$@"; }

# dpkg-buildpackage writes the package beside the source, so the source is copied, without
# git's history and the build folders.
mkdir -p "$work/package/sofavio"
tar -C "$source" -c --exclude=./.git --exclude='./build*' --exclude='./obj-*' . |
    tar -x -C "$work/package/sofavio"
(cd "$work/package/sofavio" && dpkg-buildpackage -b -us -uc) >"$work/build.log" 2>&1 ||
    { tail -n 40 "$work/build.log"; echo "dpkg-buildpackage failed"; exit 1; }
deb=$(ls "$work"/package/sofavio_*.deb)
echo "package: $(basename "$deb"); depends: $(dpkg-deb -f "$deb" Depends)"
lintian --fail-on error,warning --display-level ">=info" "$work"/package/sofavio_*.changes ||
    { echo "lintian finds an error or a warning"; exit 1; }
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/org.sofavio.Sofavio.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.sofavio.Sofavio.metainfo.xml"

# The machine is left as it was found, whatever happens below.
remove_package() { apt_get remove -y -qq sofavio >"$work/remove.log" 2>&1; }
trap 'remove_package || true; stop_x; rm -rf "$work"' EXIT
apt_get install -y -qq --no-install-recommends "$deb" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; echo "apt could not install the package"; exit 1; }
dpkg -L sofavio >"$work/installed"
[ -x /usr/bin/sofavio ] || { echo "the package installed no /usr/bin/sofavio"; exit 1; }

# The reference: the build's program with an empty home of its own.
mkdir "$work/reference"
HOME=$work/reference program=$build/src/sofavio run_in_x 1024x768 <<'STEPS'
sleep 0.5 # the menu drawn whole before it is taken as the reference
await uninstalled
end_program
STEPS

program=/usr/bin/sofavio run_in_x 1024x768 <<'STEPS'
await installed --same-as "$out/uninstalled-$wm.png" ||
    { echo "the installed program does not show the main menu as the build's does"; exit 1; }
end_program
STEPS

stray=$(cd "$HOME" &&
    find . -mindepth 1 ! -path ./.config ! -path ./.config/sofavio ! -path './.config/sofavio/*')
[ -z "$stray" ] || { echo "the installed program wrote outside ~/.config/sofavio: $stray"; exit 1; }

remove_package || { cat "$work/remove.log"; echo "apt could not remove the package"; exit 1; }
! package_known || { echo "dpkg still knows the package after apt remove"; exit 1; }
# What is left of the package's paths must belong to another package (/usr/share, say), or
# be the root ("/." in dpkg's list).
while read -r path; do
    if [ "$path" != /. ] && [ -e "$path" ] && ! dpkg -S "$path" >/dev/null 2>&1; then
        echo "apt remove left $path behind"
        exit 1
    fi
done <"$work/installed"
echo "installed, started and removed: $(wc -l <"$work/installed") paths, none left behind"
