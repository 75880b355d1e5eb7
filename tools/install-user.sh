#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Lumora developers
# Installs Lumora for the current user, or removes it again.
#
#   tools/install-user.sh BUILD_DIR [FOLDER]     install (FOLDER defaults to ~/Lumora)
#   tools/install-user.sh --uninstall [FOLDER]   remove
#
# The application folder gets the program, its settings, data and music files, and a
# path.lmr naming the folder; the desktop menu gets an entry with the program's icon.
# Installing again keeps the slot names, data folder, verses and notes already there.
# Removing deletes what was installed, but keeps every data file the user has changed
# and never touches a data folder elsewhere.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
data_home=${XDG_DATA_HOME:-$HOME/.local/share}
# The desktop id and icon name of the Debian package: with both installed, this entry
# takes the package's place in the menu instead of standing beside it.
id=io.github.lumora.Lumora
desktop_file="$data_home/applications/$id.desktop"
icons="$data_home/icons/hicolor"
sizes=(16 32 48 64 128 256)
manifest_name=.lumora-installed

refresh_caches() {
    if command -v update-desktop-database >/dev/null; then
        update-desktop-database -q "$data_home/applications" 2>/dev/null || true
    fi
    if [ -d "$icons" ] && command -v gtk-update-icon-cache >/dev/null; then
        gtk-update-icon-cache -q -t "$icons" 2>/dev/null || true
    fi
}

if [ "${1:-}" = "--uninstall" ]; then
    folder=${2:-$HOME/Lumora}
    manifest="$folder/$manifest_name"
    if [ -f "$manifest" ]; then
        kept=()
        # Each line: the checksum the file had when it was shipped, then its name.
        while read -r sum name; do
            file="$folder/$name"
            [ -e "$file" ] || continue
            if [ "$(sha256sum < "$file" | cut -d' ' -f1)" = "$sum" ]; then
                rm -f -- "$file"
            else
                kept+=("$name")
            fi
        done < "$manifest"
        rm -f -- "$folder/lumora" "$folder/path.lmr" "$manifest"
        rmdir -- "$folder" 2>/dev/null || true
        if [ ${#kept[@]} -gt 0 ]; then
            echo "Kept the files you changed in $folder: ${kept[*]}"
        fi
    else
        echo "install-user: no Lumora installation in $folder" >&2
    fi
    # The names earlier versions installed under go too.
    rm -f -- "$desktop_file" "$data_home/applications/lumora.desktop" "$icons/scalable/apps/$id.svg"
    for size in "${sizes[@]}"; do
        rm -f -- "$icons/${size}x${size}/apps/$id.png" "$icons/${size}x${size}/apps/lumora.png"
    done
    refresh_caches
    echo "Lumora removed."
    exit 0
fi

build=${1:?usage: install-user.sh BUILD_DIR [FOLDER] | --uninstall [FOLDER]}
folder=${2:-$HOME/Lumora}
case "$folder" in /*) ;; *) folder="$PWD/$folder" ;; esac

# The program beside its settings, data and music files, as the build lays them out.
mkdir -p -- "$folder"
install -s -m 755 "$build/lumora/lumora" "$folder/lumora"
cmake "-DSOURCE=$here/data" "-DDEST=$folder" "-DAPP_FOLDER=$folder" \
    -P "$here/cmake/LayOutAppFolder.cmake" >/dev/null

# What was shipped, so that removing can tell the user's changes from ours.
( cd "$here/data" && for f in *; do
      printf '%s %s\n' "$(sha256sum < "$f" | cut -d' ' -f1)" "$f"
  done ) > "$folder/$manifest_name"

for size in "${sizes[@]}"; do
    install -D -m 644 "$here/assets/icon-$size.png" "$icons/${size}x${size}/apps/$id.png"
done
install -D -m 644 "$here/assets/icon.svg" "$icons/scalable/apps/$id.svg"

# The package's desktop entry with this program's path in Exec: the entry format quotes
# the argument (escaping " ` $ and \ inside it), then escapes every backslash once more
# as in any string value, and doubles field-code %; sed's replacement escapes \ and &
# once again.
quoted=$(printf '%s' "$folder/lumora" | sed -e 's/[\\"`$]/\\&/g' -e 's/\\/\\\\/g' -e 's/%/%%/g')
replacement=$(printf '"%s"' "$quoted" | sed -e 's/[\\&|]/\\&/g')
mkdir -p "$(dirname "$desktop_file")"
sed -e "s|@EXEC@|$replacement|" "$here/dist/$id.desktop.in" > "$desktop_file"
rm -f -- "$data_home/applications/lumora.desktop"
refresh_caches
echo "Lumora installed in $folder; it is in the desktop menu."
