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
desktop_file="$data_home/applications/lumora.desktop"
sizes=(16 32 48 64 128 256)
manifest_name=.lumora-installed

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
    rm -f -- "$desktop_file"
    for size in "${sizes[@]}"; do
        rm -f -- "$data_home/icons/hicolor/${size}x${size}/apps/lumora.png"
    done
    echo "Lumora removed."
    exit 0
fi

build=${1:?usage: install-user.sh BUILD_DIR [FOLDER] | --uninstall [FOLDER]}
folder=${2:-$HOME/Lumora}
case "$folder" in /*) ;; *) folder="$PWD/$folder" ;; esac

# The program beside its settings, data and music files, as the build lays them out.
mkdir -p -- "$folder"
install -m 755 "$build/lumora/lumora" "$folder/lumora"
cmake "-DSOURCE=$here/data" "-DDEST=$folder" "-DAPP_FOLDER=$folder" \
    -P "$here/cmake/LayOutAppFolder.cmake" >/dev/null

# What was shipped, so that removing can tell the user's changes from ours.
( cd "$here/data" && for f in *; do
      printf '%s %s\n' "$(sha256sum < "$f" | cut -d' ' -f1)" "$f"
  done ) > "$folder/$manifest_name"

for size in "${sizes[@]}"; do
    install -D -m 644 "$here/assets/icon-$size.png" \
        "$data_home/icons/hicolor/${size}x${size}/apps/lumora.png"
done

# The desktop entry format quotes Exec's argument (escaping " ` $ and \ inside it), then
# escapes every backslash once more as any string value, and doubles field-code %.
quoted=$(printf '%s' "$folder/lumora" | sed -e 's/[\\"`$]/\\&/g' -e 's/\\/\\\\/g' -e 's/%/%%/g')
path_value=$(printf '%s' "$folder" | sed -e 's/\\/\\\\/g')
mkdir -p "$(dirname "$desktop_file")"
cat > "$desktop_file" <<ENTRY
[Desktop Entry]
Type=Application
Name=Lumora
Comment=Read and collect Bible verses by theme
Exec="$quoted"
Path=$path_value
Icon=lumora
Terminal=false
Categories=Education;Literature;
ENTRY
command -v update-desktop-database >/dev/null && update-desktop-database -q "$data_home/applications" 2>/dev/null || true
command -v gtk-update-icon-cache >/dev/null && gtk-update-icon-cache -q -t "$data_home/icons/hicolor" 2>/dev/null || true
echo "Lumora installed in $folder; it is in the desktop menu."
