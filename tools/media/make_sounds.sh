#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Speaks the name of every letter of the letter table with the Arabic voice
# and writes "<letter>.wav": trimmed of silence at both ends, faded in and
# out, normalised to -1 dBFS, 16-bit PCM mono at 22050 Hz.
#
# Usage: make_sounds.sh <letters.tsv> [output folder]   (default: the media folder)
# letters.tsv is the program's letter table as the build writes it, in
# tools/media/ under the build folder.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[[ $# -ge 1 ]] || { echo "usage: make_sounds.sh <letters.tsv> [output folder]" >&2; exit 2; }
table=$1
out=${2:-$here/../../media}

for tool in espeak-ng sox; do
    command -v "$tool" >/dev/null || { echo "make_sounds.sh: $tool is not installed" >&2; exit 1; }
done
[[ -d $out ]] || { echo "make_sounds.sh: no folder $out" >&2; exit 1; }
[[ -r $table ]] || { echo "make_sounds.sh: cannot read $table" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

count=0
while IFS=$'\t' read -r letter _ name; do
    [[ -z $letter ]] && continue
    # A child-friendly pace and a slightly raised pitch.
    espeak-ng -v ar -s 120 -p 60 -w "$work/spoken.wav" "$name"
    # -R: repeatable output; -D: no dither noise, so runs give identical files.
    sox -R -D "$work/spoken.wav" "$work/trimmed.wav" \
        silence 1 0.01 0.5% reverse silence 1 0.01 0.5% reverse
    # A second pass, as the fade needs the trimmed length.
    sox -R -D "$work/trimmed.wav" -b 16 -e signed-integer -c 1 -r 22050 "$work/shaped.wav" \
        fade t 0.01 0 0.06 norm -1 pad 0.05 0.1
    mv "$work/shaped.wav" "$out/$letter.wav"
    count=$((count + 1))
done <"$table"

if [[ $count -ne 28 ]]; then
    echo "make_sounds.sh: $table gave $count letters, expected 28" >&2
    exit 1
fi
