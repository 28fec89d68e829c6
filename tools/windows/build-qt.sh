#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Qt for 64-bit Windows from Debian's own Qt 6.4.2 source packages,
# once, into a cache outside the source tree, and prints its prefix:
#   ${SNOMEL_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/snomel}/qt-6.4.2-mingw64-<key>
# The key is a hash of the Qt version, Debian's source versions, the
# configure options, the toolchain file and our patches: a change to any of
# them builds a new Qt, and an unchanged one is reused as it is.
# Static and release, cross-compiled with MinGW-w64 against the host's Qt
# tools (moc, rcc, uic, qsb from Debian's Qt packages), and only the parts the
# program uses. Logs go to <cache>/work/*.log; progress to stderr.
# A prefix packed by an earlier build (qt-6.4.2-mingw64-<key>.tar.xz with
# its .sha256, in ${SNOMEL_QT_PREBUILT:-<the tree>/../shared/cache}) is
# unpacked instead of building, when its key is the one computed here, its
# checksum holds and it was made for this very cache folder (Qt's CMake files
# record the prefix's absolute path).
# The variables this script and qt-build-common.sh share:
# shellcheck source-path=SCRIPTDIR disable=SC2034,SC2154
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../qt-build-common.sh
. "$here/../qt-build-common.sh"

qt_target=mingw64
qt_system=Windows
qt_work=$cache/work
# The cross compiler and its tools.
packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools)
qtbase_patches=("$here"/qt-patches/qtbase-*.patch)
qtmultimedia_patches=("$here"/qt-patches/qtmultimedia-*.patch)

# --- What is built --------------------------------------------------------
# Core, Gui, Widgets, the Windows platform plugin, PNG, JPEG and BMP
# pictures, harfbuzz shaping (bundled: harfbuzz, freetype, libpng, libjpeg,
# zlib, pcre2, md4c, double-conversion), Test for the tests; Network and
# Concurrent only because Qt Multimedia and its Windows backend need them.
# tabletevent is off because Debian's +dfsg tarball drops wintab.h, which
# MinGW does not ship.
qtbase_options=(
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF
    -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no
    -DFEATURE_vulkan=OFF -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF
    -DFEATURE_tabletevent=OFF -DFEATURE_androiddeployqt=OFF
    -DFEATURE_ssl=OFF -DFEATURE_schannel=OFF -DFEATURE_sspi=OFF -DFEATURE_networklistmanager=OFF
    -DFEATURE_network=ON -DFEATURE_concurrent=ON -DFEATURE_testlib=ON
    -DFEATURE_png=ON -DFEATURE_jpeg=ON -DFEATURE_harfbuzz=ON -DFEATURE_freetype=ON
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF
)
# Qt Multimedia with its Windows backend (Media Foundation) and its widgets;
# no spatial audio, no FFmpeg or GStreamer backend.
qtmultimedia_options=(
    -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    -DFEATURE_spatialaudio=OFF -DFEATURE_ffmpeg=OFF -DFEATURE_gstreamer=OFF
    -DFEATURE_wmf=ON
)
# Its shaders are baked by the host's shader tools (Debian's
# qt6-shadertools-dev and qt6-shader-baker), which a cross build does not
# look for among the host's packages by itself.
qtmultimedia_host_options=(-DQt6ShaderTools_DIR="$host_cmake_dir/Qt6ShaderTools")
modules="Core Gui Widgets Network Concurrent Test Multimedia MultimediaWidgets"

qt_key_inputs() {
    echo "$qt_version $base_version $multimedia_version"
    printf '%s\n' "${qtbase_options[@]}" -- "${qtmultimedia_options[@]}" "${qtmultimedia_host_options[@]}"
    cat "$here/mingw-w64-x86_64.cmake" "$here"/qt-patches/*.patch 2>/dev/null
    x86_64-w64-mingw32-g++-posix -dumpfullversion
}

# Qt's toolchain file records this one's path: keep it with the Qt.
qt_prepare() {
    cp "$here/mingw-w64-x86_64.cmake" "$prefix/share/snomel/"
    qt_toolchain="$prefix/share/snomel/mingw-w64-x86_64.cmake"
}

qt_build "$@"
