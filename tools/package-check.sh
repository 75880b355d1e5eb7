#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Lumora developers
# Tries the Debian package as a machine's users would: builds it (tools/make-package.sh),
# installs it with apt-get, makes a user with useradd who starts /usr/bin/lumora on a
# private X server and saves a slot through the screen reader's interface
# (tests/screenreader.py), checks the user's folder and that /usr is unchanged, checks
# the command line and how the window meets the desktop (tools/desktop-check.py), installs
# the package again over itself as an upgrade would, and purges it, which must leave the
# user's folder. Needs root, or sudo; removes the package and the user at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "package-check: needs root or sudo" >&2; exit 1; }
    as_root=(sudo)
fi
user=lumora-check
home=/home/$user
folder=$home/.local/share/lumora
id=io.github.lumora.Lumora
verse="Verse 1 typed through the screen reader"
export DEBIAN_FRONTEND=noninteractive

tools/install-deps.sh xvfb dbus at-spi2-core python3-pyatspi desktop-file-utils appstream python3-xlib
start=$SECONDS
tools/make-package.sh
deb=$(ls lumora_*.deb)
built=$((SECONDS - start))

failures=0
check() { # check DESCRIPTION COMMAND...: runs the command and reports
    if "${@:2}"; then echo "package-check: ok      $1"; else echo "package-check: FAILED  $1"; failures=$((failures + 1)); fi
}
apt_install() {
    "${as_root[@]}" apt-get install -y -q "$@" ||
        { "${as_root[@]}" apt-get update -q && "${as_root[@]}" apt-get install -y -q "$@"; }
}
remove_user() { "${as_root[@]}" userdel --remove "$user" 2>/dev/null || true; }
remove_user # left by a check that was cut short
scratch=$(mktemp -d)
trap 'remove_user; rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
cp tests/screenreader.py tools/desktop-check.py "$scratch/"

apt_install --reinstall "./$deb"
shipped_before=$(find /usr/share/lumora -printf '%P %s %m\n' | sort)
"${as_root[@]}" useradd --create-home --shell /bin/bash "$user"
as_user() {
    "${as_root[@]}" runuser -u "$user" -- env -i HOME="$home" USER="$user" LANG=C.UTF-8 \
        PATH=/usr/bin:/bin "$@"
}

check "the user starts /usr/bin/lumora, reads it and saves a slot through AT-SPI" \
    as_user /usr/bin/python3 "$scratch/screenreader.py" /usr/bin/lumora
check "the user's folder holds the three settings files" \
    "${as_root[@]}" test -f "$folder/Rantxt.lmr" -a -f "$folder/configure.lmr" -a -f "$folder/path.lmr"
check "path.lmr names the user's folder" \
    cmp -s <("${as_root[@]}" cat "$folder/path.lmr") <(printf '%s\r\n' "$folder")
check "the user's folder holds the 39 data files" \
    test "$("${as_root[@]}" find "$folder" -maxdepth 1 \( -name 'c*.dat' -o -name 'c*.txt' \) | wc -l)" -eq 39
check "the music is played from /usr/share/lumora, not copied" \
    test -z "$("${as_root[@]}" find "$folder" -name '*.mid')"
check "the slot save landed in the user's folder" \
    "${as_root[@]}" grep -qs "$verse" "$folder"/c00*.dat
check "every file of the package is unchanged (dpkg --verify)" \
    test -z "$(dpkg --verify lumora 2>&1)"
check "nothing was added to /usr/share/lumora" \
    test "$(find /usr/share/lumora -printf '%P %s %m\n' | sort)" = "$shipped_before"
check "the desktop entry validates" desktop-file-validate /usr/share/applications/$id.desktop
check "the AppStream metainfo validates" appstreamcli validate --no-net /usr/share/metainfo/$id.metainfo.xml
# The command line without a display; WM_CLASS, startup notification and the handing over
# of a second start on X11; the app id on Wayland where weston and qt6-wayland are here.
check "the installed program meets the desktop (desktop-check.py)" \
    as_user /usr/bin/python3 "$scratch/desktop-check.py" /usr/bin/lumora /usr/share/applications/$id.desktop

apt_install --reinstall "./$deb"
as_user env QT_QPA_PLATFORM=offscreen timeout 5 /usr/bin/lumora || true
check "an upgrade and a new start keep the saved slot" \
    "${as_root[@]}" grep -qs "$verse" "$folder"/c00*.dat

"${as_root[@]}" apt-get purge -y -q lumora
check "apt-get purge removes the package" \
    test "$(dpkg-query -W -f='${db:Status-Status}' lumora 2>/dev/null || echo not-installed)" = not-installed
check "apt-get purge removes its files" test ! -e /usr/bin/lumora -a ! -e /usr/share/lumora
check "apt-get purge leaves the user's folder" "${as_root[@]}" grep -qs "$verse" "$folder"/c00*.dat

echo "package-check: package built in ${built} s, checked in $((SECONDS - start - built)) s"
if [ "$failures" -ne 0 ]; then
    echo "package-check: $failures check(s) failed" >&2
    exit 1
fi
echo "package-check: every check passed"
