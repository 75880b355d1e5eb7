#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Lumora developers
# Builds the Debian package lumora_VERSION_ARCH.deb into the project folder, and the source
# package beside it in build/package/, with Debian's own tools (dpkg-buildpackage,
# debhelper), offline, then checks both with lintian, and the package with the
# AppStream validator and desktop-file-validate. Fails on any error or warning they report.
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

echo "make-package: dpkg-buildpackage -us -uc (log: $work/build.log)"
if ! (cd "$work/lumora" && dpkg-buildpackage -us -uc -j"$(nproc)") > "$work/build.log" 2>&1; then
    tail -n 40 "$work/build.log" >&2
    echo "make-package: dpkg-buildpackage failed; the whole log is $work/build.log" >&2
    exit 1
fi

rm -f lumora_*.deb
cp "$work"/lumora_*.deb .
deb=$(ls lumora_*.deb)

# Every tag, down to the pedantic ones; those that are meant carry an override with its
# reason (debian/lumora.lintian-overrides, debian/source/lintian-overrides).
echo "make-package: lintian -EvIL +pedantic $deb and the source package"
lintian --fail-on error,warning -EvIL +pedantic "$deb" "$work"/lumora_*.dsc
unpacked="$work/unpacked"
dpkg-deb -x "$deb" "$unpacked"
appstreamcli validate --no-net --pedantic "$unpacked"/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
echo "Built $PWD/$deb"
