# SPDX-License-Identifier: GPL-3.0-or-later
# What the builds of Qt for another system share (tools/windows/build-qt.sh,
# tools/wasm/build-qt.sh source it): Qt 6.4.2 from Debian's own source
# packages, built once into a cache outside the source tree, or unpacked
# from a packed prefix of the same key. The prefix is
#   ${SNOMEL_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/snomel}/qt-6.4.2-<target>-<key>
#
# The sourcing script sets, then calls qt_build "$@":
#   qt_target        the prefix's middle name (mingw64, wasm)
#   qt_system        the system's name in messages (Windows, WebAssembly)
#   qt_work          its work folder, one per target and fixed, so that a
#                    rebuild compiles the same paths and ccache answers
#   packages         what the build needs besides what is common
#   qtbase_options, qtmultimedia_options, qtmultimedia_host_options
#   qtbase_patches, qtmultimedia_patches   our mends, applied in that order
#   modules          the Qt modules the prefix holds
# and defines:
#   qt_key_inputs    prints what the key hashes (base_version and
#                    multimedia_version are set when it is called)
#   qt_prepare       fills a fresh prefix before configuring and sets
#                    qt_toolchain, the toolchain file qtbase is configured with
# Logs go to <qt_work>/*.log; progress to stderr; the prefix to stdout.
# shellcheck shell=bash disable=SC2154 # the sourcing script sets what is built
set -euo pipefail
qt_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

qt_version=6.4.2
cache=${SNOMEL_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/snomel}
jobs=${SNOMEL_JOBS:-2}
host_prefix=/usr
host_cmake_dir=/usr/lib/x86_64-linux-gnu/cmake
prebuilt=${SNOMEL_QT_PREBUILT:-$qt_tools/../../shared/cache}

say() { echo "build-qt: $*" >&2; }
fail() {
    say "$*"
    exit 1
}

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

# The host's Qt tools a cross build runs (Qt Multimedia's shaders need the
# host's shader baker), and what unpacks Debian source packages.
qt_host_packages=(cmake ninja-build perl python3 ccache
                  qt6-base-dev qt6-base-dev-tools qt6-shader-baker qt6-shadertools-dev
                  dpkg-dev xz-utils)
# What apt says goes to standard error: standard output is the prefix.
install_missing() {
    "$qt_tools/../scripts/deps.sh" only "$@" >&2
}

# --- Debian's sources -----------------------------------------------------
# A deb-src entry for each Debian archive and suite the system takes binary
# packages from, so the sources match what the host's Qt was built from
# (security and stable updates included).
deb_src_list=/etc/apt/sources.list.d/snomel-deb-src.sources
have_deb_src() {
    apt-cache showsrc qt6-base 2>/dev/null | grep '^Version: ' >/dev/null
}
add_deb_src() {
    local entries
    entries=$(python3 "$qt_tools/windows/deb-src-entries.py" /etc/apt/sources.list \
        /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list)
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

# Applies the patch files $2... to the tree $1.
apply_patches() {
    local tree=$1 patch
    shift
    for patch in "$@"; do
        [ -e "$patch" ] || continue
        say "applying $(basename "$patch")"
        patch -d "$tree" -p1 --forward --quiet <"$patch"
    done
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

# --- The build -------------------------------------------------------------
qt_build() {
    install_missing "${qt_host_packages[@]}" "${packages[@]}"
    have_deb_src || add_deb_src
    have_deb_src || fail "apt has no source for qt6-base even after adding deb-src entries"
    base_version=$(source_version qt6-base)
    multimedia_version=$(source_version qt6-multimedia)
    case "$base_version:$multimedia_version" in
        "$qt_version"*:"$qt_version"*) ;;
        *) fail "Debian's Qt sources are $base_version and $multimedia_version, not $qt_version" ;;
    esac

    local key
    key=$(qt_key_inputs | sha256sum | cut -c1-12)
    prefix="$cache/qt-$qt_version-$qt_target-$key"
    if [ -f "$prefix/snomel-qt-complete" ] || restore_prebuilt "$prefix"; then
        echo "$prefix"
        return 0
    fi

    local work=$qt_work
    mkdir -p "$work"
    rm -rf "$prefix"
    mkdir -p "$prefix/share/snomel"
    qt_prepare
    local launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

    # Each build starts from an empty build folder.
    rm -rf "$work/qtbase-build" "$work/qtmultimedia-build"
    unpack_source qt6-base "$base_version" "$work/qtbase"
    apply_patches "$work/qtbase" "${qtbase_patches[@]}"
    timed "qtbase configure" "$work/qtbase-configure.log" \
        cmake -G Ninja -S "$work/qtbase" -B "$work/qtbase-build" \
        -DCMAKE_TOOLCHAIN_FILE="$qt_toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DQT_HOST_PATH="$host_prefix" -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
        "${launcher[@]}" "${qtbase_options[@]}"
    CCACHE_SLOPPINESS=pch_defines,time_macros timed "qtbase build" "$work/qtbase-build.log" \
        nice -n 10 cmake --build "$work/qtbase-build" -j "$jobs"
    timed "qtbase install" "$work/qtbase-install.log" cmake --install "$work/qtbase-build"

    unpack_source qt6-multimedia "$multimedia_version" "$work/qtmultimedia"
    apply_patches "$work/qtmultimedia" "${qtmultimedia_patches[@]}"
    timed "qtmultimedia configure" "$work/qtmultimedia-configure.log" \
        "$prefix/bin/qt-cmake" -G Ninja -S "$work/qtmultimedia" -B "$work/qtmultimedia-build" \
        "${launcher[@]}" "${qtmultimedia_options[@]}" "${qtmultimedia_host_options[@]}"
    timed "qtmultimedia build" "$work/qtmultimedia-build.log" \
        nice -n 10 cmake --build "$work/qtmultimedia-build" -j "$jobs"
    timed "qtmultimedia install" "$work/qtmultimedia-install.log" cmake --install "$work/qtmultimedia-build"

    # What the build carries of Qt, for its copyright file.
    python3 "$qt_tools/windows/qt-notices.py" "$work/qtbase" "$work/qtmultimedia" \
        "qt6-base $base_version, qt6-multimedia $multimedia_version" \
        "$prefix/share/snomel/copyright-qt"

    printf '%s\n%s\n' "$prefix" "$modules" >"$prefix/snomel-qt-complete"
    rm -rf "$work/qtbase-build" "$work/qtmultimedia-build"
    say "Qt for $qt_system installed in $prefix ($(du -sh "$prefix" | cut -f1))"
    echo "$prefix"
}
