#!/usr/bin/env bash
# Installs the Debian packages that Lumora needs to build, run and test, if missing,
# and any further packages named on the command line.
set -euo pipefail

packages=(
    cmake make g++          # the build
    qt6-base-dev            # Qt 6 Widgets and QTest (pulls in the platform plugins)
    libfluidsynth-dev       # the synthesizer that plays the music
    timgm6mb-soundfont      # a General MIDI soundfont for it
    fonts-liberation        # the fonts the windows are laid out with
    xdg-utils               # xdg-open, which opens notes files in the desktop's editor
    xvfb dbus at-spi2-core python3-pyatspi  # the screen-reader test: AT-SPI on a private X server
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
echo "install-deps: installing ${missing[*]}"
"${sudo[@]}" apt-get install -y -q "${missing[@]}" \
    || { "${sudo[@]}" apt-get update -q && "${sudo[@]}" apt-get install -y -q "${missing[@]}"; }
