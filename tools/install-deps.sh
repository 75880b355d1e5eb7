#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Lumora developers
# Installs the Debian packages that Lumora needs to build, run and test, if missing,
# and any further packages named on the command line.
set -euo pipefail

packages=(
    cmake make g++          # the build
    qt6-base-dev            # Qt 6 Widgets and QTest (pulls in the platform plugins)
    libfluidsynth-dev       # the synthesizer that plays the music
    libxcb1-dev             # X11 startup notification for a second start
    timgm6mb-soundfont      # a General MIDI soundfont for it
    fonts-liberation        # the fonts the windows are laid out with
    xdg-utils               # xdg-open, which opens notes files in the desktop's editor
    pulseaudio-utils        # pactl and parec: the music test records what a sound server plays
    xvfb dbus at-spi2-core python3-pyatspi  # the screen-reader test: AT-SPI on a private X server
    syncthing               # the sync test: two Syncthing instances talking over loopback
    "$@"
)
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
# The music test runs a PulseAudio server of its own. A desktop whose sound server is
# PipeWire goes without: both would claim the user's PulseAudio socket.
installed pipewire-pulse || packages+=(pulseaudio)

missing=()
for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
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
