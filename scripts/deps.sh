#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running or testing the program
# needs and that are missing; or, given "only" and package names, those.
# Usage: scripts/deps.sh [run|test|package|media|web]
#        scripts/deps.sh only PACKAGE...
set -euo pipefail

what=${1:-run}

build=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-multimedia-dev libfontconfig-dev
       libpulse-dev)
# The X server asked whether a window manager runs; the desktop tests, built
# with the program, send real X input and change the screen's size.
build+=(libxcb1-dev libxtst-dev libxrandr-dev)
# Playing the letter sounds and the song (WMV2/WMA2 in ASF) through PulseAudio;
# Qt's own texts (standard buttons, stock dialogs) in Arabic.
media=(gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly
       gstreamer1.0-libav gstreamer1.0-pulseaudio xdg-utils qt6-translations-l10n)
# A virtual display, a window manager, a tray host, sound servers with a
# null sink (PulseAudio, and PipeWire's with its session manager), X input
# and screenshots, the Windows resource compiler, clang for the fuzz target;
# the validators of the desktop entry, the metainfo and the manual page; a
# session bus of a test's own with the accessibility bus and a client of it
# (no dbus-x11: with it, Qt would start a bus at every start of a test that
# has none).
testing=(xvfb xauth x11-utils xdotool imagemagick openbox trayer pulseaudio pulseaudio-utils
         pipewire pipewire-pulse wireplumber
         binutils-mingw-w64-i686 clang libclang-rt-14-dev desktop-file-utils appstream man-db
         dbus-daemon at-spi2-core python3-pyatspi)

# Building the Debian package (dpkg-shlibdeps) and checking it (lintian).
packaging=(dpkg-dev lintian)

# Making the media anew (tools/media/make_all.sh): the pictures' font, their
# drawings fetched from npm and drawn with QtSvg, the voice, the sound and
# video tools. Neither running nor testing the program needs them.
generating=(fonts-hosny-amiri npm openssl qt6-svg-dev espeak-ng sox ffmpeg)

# Running the web build in a browser (scripts/test-web): Debian's Chromium,
# its driver and Python's client of it, and the screenshots' reader.
browser=(chromium chromium-driver python3-selenium python3-pil)

packages=("${build[@]}" "${media[@]}")
case "$what" in
    test) packages+=("${testing[@]}") ;;
    package) packages+=("${testing[@]}" "${packaging[@]}") ;;
    media) packages+=("${generating[@]}") ;;
    web) packages+=("${browser[@]}") ;;
    only) packages=("${@:2}") ;;
esac

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
