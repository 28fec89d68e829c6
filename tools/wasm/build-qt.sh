#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Qt for WebAssembly from Debian's own Qt 6.4.2 source packages, with
# Debian's emscripten, once, into a cache outside the source tree, and prints
# its prefix:
#   ${SNOMEL_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/snomel}/qt-6.4.2-wasm-<key>
# The key is a hash of the Qt version, Debian's source versions, the
# configure options, our patches and the versions of emscripten and of the
# compiler under it. A packed prefix of the same key is unpacked instead of
# building, as for Windows (tools/qt-build-common.sh).
# Static and release, single-threaded, with asyncify (a nested event loop can
# wait for a sound), against the host's Qt tools. Qt's CMake looks for an
# emscripten SDK folder ($EMSDK); Debian's emscripten is laid out otherwise,
# so the prefix carries one of links, share/snomel/emsdk, which the program's
# build points EMSDK at as well (tools/wasm/env.sh).
# The variables this script and qt-build-common.sh share:
# shellcheck source-path=SCRIPTDIR disable=SC2034,SC2154
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../qt-build-common.sh
. "$here/../qt-build-common.sh"

qt_target=wasm
qt_system=WebAssembly
qt_work=$cache/work-wasm
# The compiler, its linker and optimiser come with emscripten; its optimised
# links run acorn under node.
packages=(emscripten clang-14 lld-14 binaryen node-acorn)
qtbase_patches=()
# The bundled spatial audio library is left out, as for Windows.
qtmultimedia_patches=("$here/../windows/qt-patches/qtmultimedia-0003-resonance-audio-only-for-spatial-audio.patch")

# --- What is built --------------------------------------------------------
# Core, Gui, Widgets, the wasm platform plugin, PNG pictures, harfbuzz
# shaping (bundled: harfbuzz, freetype, libpng, libjpeg, zlib, pcre2),
# Test; Network only because Qt Multimedia needs it. Threads are off, as
# Qt's wasm build has them by default.
qtbase_options=(
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF
    -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten -DQT_QMAKE_DEVICE_OPTIONS=QT_EMSCRIPTEN_ASYNCIFY=1
    -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_testlib=ON -DFEATURE_network=ON -DFEATURE_ssl=OFF
    -DFEATURE_png=ON -DFEATURE_jpeg=ON -DFEATURE_harfbuzz=ON -DFEATURE_freetype=ON
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_pcre2=OFF
)
# Qt Multimedia with its wasm audio output and its widgets; no spatial
# audio, no FFmpeg or GStreamer backend. The host's shader tools are 64-bit
# and the target 32-bit, which the package version check refuses.
qtmultimedia_options=(
    -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    -DFEATURE_spatialaudio=OFF -DFEATURE_ffmpeg=OFF -DFEATURE_gstreamer=OFF
    -DQT_NO_PACKAGE_VERSION_CHECK=TRUE
)
qtmultimedia_host_options=(-DQt6ShaderTools_DIR="$host_cmake_dir/Qt6ShaderTools")
modules="Core Gui Widgets Network Test Multimedia MultimediaWidgets"

qt_key_inputs() {
    echo "$qt_version $base_version $multimedia_version"
    printf '%s\n' "${qtbase_options[@]}" -- "${qtmultimedia_options[@]}" "${qtmultimedia_host_options[@]}"
    cat "${qtbase_patches[@]}" "${qtmultimedia_patches[@]}"
    emcc --version | head -n 1
    dpkg-query -W -f='${Package} ${Version}\n' emscripten clang-14 lld-14 binaryen
}

# The emscripten SDK folder Qt's CMake expects: its configuration names the
# compiler's folder, which holds Debian's emscripten and the front ends.
qt_prepare() {
    local emsdk="$prefix/share/snomel/emsdk" entry tool
    mkdir -p "$emsdk/upstream/emscripten"
    # shellcheck disable=SC2016 # the configuration's own expression
    echo 'EMSCRIPTEN_ROOT = emsdk_path + '\''/upstream/emscripten'\''' >"$emsdk/.emscripten"
    for entry in /usr/share/emscripten/* /usr/share/emscripten/.emscripten; do
        ln -s "$entry" "$emsdk/upstream/emscripten/"
    done
    for tool in emcc em++ emar emranlib em-config emnm; do
        ln -sf "/usr/bin/$tool" "$emsdk/upstream/emscripten/$tool"
    done
    qt_toolchain=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
    export EMSDK=$emsdk
}

export NODE_PATH=/usr/share/nodejs
qt_build "$@"
