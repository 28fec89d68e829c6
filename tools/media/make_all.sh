#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates the program icon, the letter pictures and their contact sheets
# in docs/, and the letter sounds (and the song video when its tool is
# present) in place, from the tools beside this script. The results are
# committed; the build only copies them. The pictures' drawings are fetched
# with npm into a scratch folder (fetch_twemoji.sh) and removed afterwards.
# What it needs: scripts/deps.sh media.
#
# Usage: make_all.sh [build folder]   (default: build/media under the source tree)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
build=${1:-$source_dir/build/media}

for tool in cmake ninja npm; do
    command -v "$tool" >/dev/null || { echo "make_all.sh: $tool is not installed" >&2; exit 1; }
done

if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
else
    # Configured anew, so a folder made before QtSvg was installed finds it.
    cmake "$build" >/dev/null
fi
grep -q '^Qt6Svg_DIR:PATH=/' "$build/CMakeCache.txt" ||
    { echo "make_all.sh: QtSvg is not installed (scripts/deps.sh media)" >&2; exit 1; }
cmake --build "$build" --target make_icon make_pictures letters_tsv -- -j2
tools_bin=$build/tools/media
# The program's letter table, as the build writes it for the scripts.
table=$tools_bin/letters.tsv
# The pictures are drawn in Amiri Bold (Debian package fonts-hosny-amiri).
font=/usr/share/fonts/opentype/fonts-hosny-amiri/Amiri-Bold.ttf

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
twemoji=$("$here/fetch_twemoji.sh" "$scratch")

export QT_QPA_PLATFORM=offscreen
"$tools_bin/make_icon" "$font" "$source_dir/resources/snomel.ico"
"$tools_bin/make_pictures" "$font" "$twemoji" "$source_dir/media" "$source_dir/docs"
"$here/make_sounds.sh" "$table" "$source_dir/media"
if [[ -x $here/make_song.sh ]]; then
    "$here/make_song.sh" "$table" "$source_dir/media"
fi
echo "make_all.sh: media regenerated in $source_dir/media, $source_dir/resources and $source_dir/docs"
