#!/usr/bin/env bash
# Installs the Debian packages that building, running or testing the program
# needs and that are missing. Usage: scripts/deps.sh [run|test|package]
set -euo pipefail

what=${1:-run}

build=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-multimedia-dev libfontconfig-dev)
# The X server asked whether a window manager runs; the desktop tests, built
# with the program, send real X input and change the screen's size.
build+=(libxcb1-dev libxtst-dev libxrandr-dev)
# Playing the letter sounds and the song (WMV2/WMA2 in ASF) through PulseAudio.
media=(gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly
       gstreamer1.0-libav gstreamer1.0-pulseaudio xdg-utils)
# A virtual display, a window manager, a tray host, a sound server with a
# null sink, X input and screenshots, the Windows resource compiler, clang
# for the fuzz target.
testing=(xvfb xauth x11-utils xdotool imagemagick openbox trayer pulseaudio pulseaudio-utils
         binutils-mingw-w64-i686 clang libclang-rt-14-dev desktop-file-utils appstream)

# Building the Debian package (dpkg-shlibdeps) and checking its contents.
packaging=(dpkg-dev)

packages=("${build[@]}" "${media[@]}")
case "$what" in
    test) packages+=("${testing[@]}") ;;
    package) packages+=("${testing[@]}" "${packaging[@]}") ;;
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
