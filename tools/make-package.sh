#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Lumora developers
# Builds the Debian package lumora_VERSION_ARCH.deb into the project folder with Debian's
# own tools (dpkg-buildpackage, debhelper), offline, then checks it with lintian, the
# AppStream validator and desktop-file-validate. Fails on any error they report.
#
# dpkg-buildpackage works inside the source tree and writes its results beside it, so it
# runs on a copy of the sources in build/package/.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh dpkg-dev debhelper pkgconf lintian appstream desktop-file-utils

work=build/package
rm -rf "$work"
mkdir -p "$work/lumora"
tar -c --exclude=./.git --exclude=./build --exclude='./build-*' --exclude='./*.deb' . | tar -x -C "$work/lumora"

echo "make-package: dpkg-buildpackage -b -us -uc (log: $work/build.log)"
if ! (cd "$work/lumora" && dpkg-buildpackage -b -us -uc -j"$(nproc)") > "$work/build.log" 2>&1; then
    tail -n 40 "$work/build.log" >&2
    echo "make-package: dpkg-buildpackage failed; the whole log is $work/build.log" >&2
    exit 1
fi

rm -f lumora_*.deb
cp "$work"/lumora_*.deb .
deb=$(ls lumora_*.deb)

echo "make-package: lintian $deb"
lintian --fail-on error --info "$deb"
unpacked="$work/unpacked"
dpkg-deb -x "$deb" "$unpacked"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
echo "Built $PWD/$deb"
