#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Lumora developers
# ./build.sh run               install what is missing, build, lay out build/lumora/ and start Lumora
# ./build.sh test              install what is missing, build and run every test (offscreen)
# ./build.sh install [FOLDER]  build the program alone and install it for this user (default
#                              ~/Lumora), stripped, with the package's menu entry and icon
# ./build.sh uninstall [FOLDER]  remove it again, keeping the files you changed
# ./build.sh reliability       the reliability suite in build folders of its own (see README)
# ./build.sh bench             the benchmark table: start-up and memory against bare Qt, windows, music
# ./build.sh package           the Debian package lumora_VERSION_ARCH.deb, checked with lintian
# ./build.sh package-check     build, install, use as a new user, upgrade and purge it (root or sudo)
set -euo pipefail
cd "$(dirname "$0")"

what=${1:-run}
if [ "$what" = uninstall ]; then
    exec tools/install-user.sh --uninstall "${2:-$HOME/Lumora}"
fi
if [ "$what" = reliability ]; then
    exec tools/reliability.sh
fi
case "$what" in
    package) exec tools/make-package.sh ;;
    package-check) exec tools/package-check.sh ;;
esac
extra=()
[ "$what" = bench ] && extra=(xvfb)
tools/install-deps.sh "${extra[@]}"
if [ "$what" = install ]; then
    # The program alone, optimised; install-user.sh strips it as it installs it.
    cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
    cmake --build build/release --parallel "$(nproc)" --target lumora
    exec tools/install-user.sh build/release "${2:-$HOME/Lumora}"
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)"

case "$what" in
    run)  exec build/lumora/lumora ;;
    bench) exec bench/run-bench.sh build ;;
    test) QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure --parallel "$(nproc)" ;;
    *)    echo "usage: ./build.sh run|test|install|uninstall|bench|reliability|package|package-check" >&2; exit 2 ;;
esac
