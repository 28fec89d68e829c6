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
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

qt_version=6.4.2
cache=${SNOMEL_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/snomel}
jobs=${SNOMEL_JOBS:-2}
host_prefix=/usr
host_cmake_dir=/usr/lib/x86_64-linux-gnu/cmake
prebuilt=${SNOMEL_QT_PREBUILT:-$here/../../../shared/cache}

say() { echo "build-qt: $*" >&2; }
fail() {
    say "$*"
    exit 1
}

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

# --- Packages -------------------------------------------------------------
# The cross compiler and its tools, the host's Qt tools the cross build runs
# (Qt Multimedia's shaders need the host's shader baker), and what unpacks
# Debian source packages.
packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools cmake ninja-build perl python3 ccache
          qt6-base-dev qt6-base-dev-tools qt6-shader-baker qt6-shadertools-dev
          dpkg-dev xz-utils)
install_missing() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    say "installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq >&2
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# --- Debian's sources -----------------------------------------------------
# A deb-src entry for each Debian archive and suite the system takes binary
# packages from, so the sources match what the host's Qt was built from
# (security and stable updates included).
deb_src_list=/etc/apt/sources.list.d/snomel-deb-src.sources
have_deb_src() {
    apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Version: '
}
add_deb_src() {
    local entries
    entries=$(python3 "$here/deb-src-entries.py" /etc/apt/sources.list /etc/apt/sources.list.d/*.sources \
        /etc/apt/sources.list.d/*.list)
    [ -n "$entries" ] || fail "no Debian archive among the apt sources to take Qt's sources from"
    say "adding deb-src entries in $deb_src_list"
    printf '%s\n' "$entries" | "${sudo[@]}" tee "$deb_src_list" >/dev/null
    "${sudo[@]}" apt-get update -qq >&2
}

source_version() {
    apt-cache showsrc "$1" | sed -n 's/^Version: //p' | sort -V | tail -n 1
}

# Unpacks a Debian source package, with Debian's patches applied, into a
# fresh folder; the downloads are kept for the next build.
unpack_source() {
    local package=$1 version=$2 into=$3
    local downloads="$cache/sources"
    local dsc="$downloads/${package}_${version#*:}.dsc"
    mkdir -p "$downloads"
    if [ ! -f "$dsc" ]; then
        say "fetching $package $version from Debian's archive"
        (cd "$downloads" && apt-get source --download-only -qq "$package=$version" >&2)
    fi
    rm -rf "$into"
    dpkg-source --no-check -x "$dsc" "$into" >/dev/null
}

apply_patches() {
    local module=$1 tree=$2 patch
    for patch in "$here/qt-patches/$module"-*.patch; do
        [ -e "$patch" ] || continue
        say "applying $(basename "$patch")"
        patch -d "$tree" -p1 --forward --quiet <"$patch"
    done
}

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

# --- Main ------------------------------------------------------------------
main() {
    install_missing "${packages[@]}"
    have_deb_src || add_deb_src
    have_deb_src || fail "apt has no source for qt6-base even after adding deb-src entries"
    local base_version multimedia_version
    base_version=$(source_version qt6-base)
    multimedia_version=$(source_version qt6-multimedia)
    case "$base_version:$multimedia_version" in
        "$qt_version"*:"$qt_version"*) ;;
        *) fail "Debian's Qt sources are $base_version and $multimedia_version, not $qt_version" ;;
    esac

    local key prefix
    key=$({
        echo "$qt_version $base_version $multimedia_version"
        printf '%s\n' "${qtbase_options[@]}" -- "${qtmultimedia_options[@]}" "${qtmultimedia_host_options[@]}"
        cat "$here/mingw-w64-x86_64.cmake" "$here"/qt-patches/*.patch 2>/dev/null
        x86_64-w64-mingw32-g++-posix -dumpfullversion
    } | sha256sum | cut -c1-12)
    prefix="$cache/qt-$qt_version-mingw64-$key"
    if [ -f "$prefix/snomel-qt-complete" ] || restore_prebuilt "$prefix"; then
        echo "$prefix"
        return 0
    fi

    # One fixed work folder, so that a rebuild compiles the same paths and
    # ccache can answer for what did not change.
    local work="$cache/work"
    mkdir -p "$work"
    rm -rf "$prefix"
    mkdir -p "$prefix/share/snomel"
    # Qt's toolchain file records this one's path: keep it with the Qt.
    cp "$here/mingw-w64-x86_64.cmake" "$prefix/share/snomel/"
    local toolchain="$prefix/share/snomel/mingw-w64-x86_64.cmake"
    local launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

    # Each build starts from an empty build folder.
    rm -rf "$work/qtbase-build" "$work/qtmultimedia-build"
    unpack_source qt6-base "$base_version" "$work/qtbase"
    apply_patches qtbase "$work/qtbase"
    timed "qtbase configure" "$work/qtbase-configure.log" \
        cmake -G Ninja -S "$work/qtbase" -B "$work/qtbase-build" \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DQT_HOST_PATH="$host_prefix" -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
        "${launcher[@]}" "${qtbase_options[@]}"
    CCACHE_SLOPPINESS=pch_defines,time_macros timed "qtbase build" "$work/qtbase-build.log" nice -n 10 cmake --build "$work/qtbase-build" -j "$jobs"
    timed "qtbase install" "$work/qtbase-install.log" cmake --install "$work/qtbase-build"

    unpack_source qt6-multimedia "$multimedia_version" "$work/qtmultimedia"
    apply_patches qtmultimedia "$work/qtmultimedia"
    timed "qtmultimedia configure" "$work/qtmultimedia-configure.log" \
        "$prefix/bin/qt-cmake" -G Ninja -S "$work/qtmultimedia" -B "$work/qtmultimedia-build" \
        "${launcher[@]}" "${qtmultimedia_options[@]}" "${qtmultimedia_host_options[@]}"
    timed "qtmultimedia build" "$work/qtmultimedia-build.log" \
        nice -n 10 cmake --build "$work/qtmultimedia-build" -j "$jobs"
    timed "qtmultimedia install" "$work/qtmultimedia-install.log" cmake --install "$work/qtmultimedia-build"

    # What the executable carries of Qt, for its copyright file.
    python3 "$here/qt-notices.py" "$work/qtbase" "$work/qtmultimedia" \
        "qt6-base $base_version, qt6-multimedia $multimedia_version" \
        "$prefix/share/snomel/copyright-qt"

    printf '%s\n%s\n' "$prefix" "$modules" >"$prefix/snomel-qt-complete"
    rm -rf "$work/qtbase-build" "$work/qtmultimedia-build"
    say "Qt for Windows installed in $prefix ($(du -sh "$prefix" | cut -f1))"
    echo "$prefix"
}

# Unpacks the packed prefix $1 when there is one for its key, made for this
# cache folder and intact; says why not otherwise.
restore_prebuilt() {
    local prefix=$1 name archive made_for
    name=$(basename "$prefix")
    archive="$prebuilt/$name.tar.xz"
    [ -f "$archive" ] || {
        say "no packed Qt for this key ($name) in $prebuilt: building it"
        return 1
    }
    (cd "$prebuilt" && sha256sum --quiet -c "$name.tar.xz.sha256" >&2) || {
        say "$archive does not match its checksum: building Qt instead"
        return 1
    }
    made_for=$(tar -xJOf "$archive" "$name/snomel-qt-complete" 2>/dev/null | head -n 1)
    [ "$made_for" = "$prefix" ] || {
        say "$archive was made for ${made_for:-an unknown folder}, not $prefix: building Qt instead"
        return 1
    }
    say "unpacking the packed Qt $archive"
    local unpacking="$cache/unpacking-$name"
    rm -rf "$unpacking" "$prefix"
    mkdir -p "$unpacking"
    tar -xJf "$archive" -C "$unpacking" || {
        rm -rf "$unpacking"
        say "$archive could not be unpacked: building Qt instead"
        return 1
    }
    mv "$unpacking/$name" "$prefix"
    rm -rf "$unpacking"
    [ -f "$prefix/snomel-qt-complete" ]
}

# Runs a step with its output in a log, and says how long it took; on a
# failure, the log's end.
timed() {
    local what=$1 log=$2 begin=$SECONDS
    shift 2
    say "$what (log: $log)"
    if ! "$@" >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        fail "$what failed after $((SECONDS - begin)) s; the whole log is $log"
    fi
    say "$what: $((SECONDS - begin)) s"
}

main "$@"
