#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Lumora developers
# Checks that every folder includes only what lies below it:
#   the core (the sources given as arguments, and their headers): Qt Core and the core;
#   widgets/: the core and widgets/;
#   the feature windows: anything but app/;
#   app/: anything.
# Run from the source folder: tools/check-layers.sh CORE_SOURCE.cpp ...
set -uo pipefail
cd "$(dirname "$0")/.."

declare -A core=()
for source in "$@"; do
    core[$source]=1
    core[${source%.cpp}.h]=1
done
# Headers of the core that have no source of their own.
for header in files/*.h tables/*.h settings/*.h notes/*.h music/*.h; do core[$header]=1; done

failures=0
fail() { echo "layers: $1" >&2; failures=$((failures + 1)); }

includes() { grep -hoE '^#include "[^"]+"' "$1" | sed -E 's/#include "(.*)"/\1/'; }
# An include is relative to the file's folder when it names no folder.
resolve() { case "$2" in */*) echo "$2" ;; *) echo "$(dirname "$1")/$2" ;; esac; }

while IFS= read -r file; do
    folder=${file%%/*}
    if [ -n "${core[$file]:-}" ]; then
        grep -qE '^#include <Qt(Widgets|Gui)/|^#include <Q(Widget|Application|Pixmap|Icon|Font|Color)>' "$file" &&
            fail "$file is core and includes a Qt GUI header"
    fi
    for target in $(includes "$file"); do
        target=$(resolve "$file" "$target")
        [ -f "$target" ] || continue # a generated file such as a .moc
        if [ -n "${core[$file]:-}" ]; then
            [ -n "${core[$target]:-}" ] || fail "$file is core and includes $target"
        elif [ "$folder" = widgets ]; then
            [ -n "${core[$target]:-}" ] || [ "${target%%/*}" = widgets ] ||
                fail "$file is in the widget kit and includes $target"
        elif [ "$folder" != app ] && [ "$folder" != tests ] && [ "$folder" != bench ]; then
            [ "${target%%/*}" != app ] || fail "$file includes $target from the application shell"
        fi
    done
done < <(git ls-files -co --exclude-standard '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h' | sed 's#^\./##')

[ "$failures" -eq 0 ] || exit 1
echo "layers: every include points down"
