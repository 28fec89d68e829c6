#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the letters song video "حروف الهجاء.wmv": the 28 letters in order,
# each showing its picture for one bar while its spoken name sounds over a
# simple cheerful tune. ASF container, WMV2 video, WMA2 audio; and its twin
# for web browsers, "حروف الهجاء.webm" (VP9 video, Opus audio), from the
# same frames and sound track.
#
# Needs the letter pictures and sounds already in the output folder
# (make_pictures, make_sounds.sh).
#
# Usage: make_song.sh <letters.tsv> [media folder]   (default: the media folder)
# letters.tsv is the program's letter table as the build writes it, in
# tools/media/ under the build folder.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[[ $# -ge 1 ]] || { echo "usage: make_song.sh <letters.tsv> [media folder]" >&2; exit 2; }
table=$1
media=${2:-$here/../../media}
song="$media/حروف الهجاء.wmv"
twin="$media/حروف الهجاء.webm"

for tool in sox ffmpeg; do
    command -v "$tool" >/dev/null || { echo "make_song.sh: $tool is not installed" >&2; exit 1; }
done
[[ -r $table ]] || { echo "make_song.sh: cannot read $table" >&2; exit 1; }

rate=22050
beat=0.5          # seconds per note (120 beats a minute)
bar=3             # seconds per letter: six notes
voice_at=0.35     # when the letter's name starts within its bar
intro=2           # seconds of tune before the first letter

# Four phrases of six notes, played in turn, one per letter; the last bar
# of the song ends on the home note.
phrases=(
    "C5 E5 G5 E5 C5 G4"
    "D5 F5 A5 F5 D5 G4"
    "E5 G5 C6 G5 E5 C5"
    "G4 B4 D5 F5 E5 C5"
)
roots=(C3 G2 C3 G2)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sx() { sox -R -D "$@"; }

# One note: a plucked tone with a soft bell-like sine above it.
note() {
    local file=$work/note-$1.wav
    if [[ ! -f $file ]]; then
        sx -n -r $rate -c 1 "$work/pluck.wav" synth $beat pluck "$1" fade 0.005 $beat 0.08
        sx -n -r $rate -c 1 "$work/bell.wav" synth $beat sine "$1" fade 0.01 $beat 0.2 vol 0.3
        sx -m "$work/pluck.wav" "$work/bell.wav" "$file"
    fi
    echo "$file"
}

# One bar of the tune over a held bass note.
tune_bar() {
    local phrase=$1 out=$2 notes=()
    for n in ${phrases[$phrase]}; do
        notes+=("$(note "$n")")
    done
    sx "${notes[@]}" "$work/melody.wav"
    sx -n -r $rate -c 1 "$work/bass.wav" synth $bar triangle "${roots[$phrase]}" \
        fade 0.05 $bar 0.3 vol 0.35
    sx -m "$work/melody.wav" "$work/bass.wav" "$out"
}

letters=()
while IFS=$'\t' read -r letter extension _; do
    [[ -z $letter ]] && continue
    for file in "$media/$letter.$extension" "$media/$letter.wav"; do
        [[ -r $file ]] || { echo "make_song.sh: missing $file (run make_all.sh)" >&2; exit 1; }
    done
    letters+=("$letter.$extension")
done <"$table"
[[ ${#letters[@]} -eq 28 ]] || { echo "make_song.sh: expected 28 letters" >&2; exit 1; }

# The sound track: an intro bar, then per letter its bar of tune with the
# letter's name over it, and the home note to finish.
tune_bar 0 "$work/bar-0.wav"
sx "$work/bar-0.wav" "$work/intro.wav" trim 0 $intro fade 0 $intro 0.3
bars=("$work/intro.wav")
# Every picture becomes a PNG frame first: the concat reader decodes all its
# files with one decoder, and the pictures are bitmaps and JPEG files.
for i in "${!letters[@]}"; do
    ffmpeg -nostdin -loglevel error -i "$media/${letters[$i]}" \
        -vf "scale=480:276:flags=lanczos" "$work/frame-$i.png"
done
echo "ffconcat version 1.0" >"$work/pictures.txt"
echo "file '$work/frame-0.png'" >>"$work/pictures.txt"
echo "duration $intro" >>"$work/pictures.txt"
for i in "${!letters[@]}"; do
    picture=${letters[$i]}
    tune_bar $((i % 4)) "$work/tune.wav"
    sx "$media/${picture%.*}.wav" -r $rate -c 1 "$work/voice.wav" pad $voice_at 0
    sx -m -v 0.4 "$work/tune.wav" -v 0.6 "$work/voice.wav" "$work/bar-$((i + 1)).wav" \
        trim 0 $bar
    bars+=("$work/bar-$((i + 1)).wav")
    echo "file '$work/frame-$i.png'" >>"$work/pictures.txt"
    echo "duration $bar" >>"$work/pictures.txt"
done
sx -n -r $rate -c 1 "$work/end.wav" synth 1.5 pluck C5 fade 0 1.5 1.2
bars+=("$work/end.wav")
# The concat list repeats the last picture so its duration is honoured.
echo "file '$work/frame-27.png'" >>"$work/pictures.txt"
echo "duration 1.5" >>"$work/pictures.txt"
echo "file '$work/frame-27.png'" >>"$work/pictures.txt"
sx "${bars[@]}" -b 16 "$work/song.wav" norm -1

ffmpeg -nostdin -loglevel error -y -f concat -safe 0 -i "$work/pictures.txt" -i "$work/song.wav" \
    -vf "fps=15,format=yuv420p" \
    -c:v wmv2 -q:v 4 -g 45 -c:a wmav2 -b:a 64k -ar $rate -ac 1 \
    -map 0:v -map 1:a -shortest -fflags +bitexact -flags:v +bitexact -flags:a +bitexact \
    -f asf "$work/song.wmv"
# Opus takes 48 kHz; one encoder thread and no row threads keep VP9's
# output the same on every run.
ffmpeg -nostdin -loglevel error -y -f concat -safe 0 -i "$work/pictures.txt" -i "$work/song.wav" \
    -vf "fps=15,format=yuv420p" \
    -c:v libvpx-vp9 -b:v 0 -crf 36 -deadline good -cpu-used 2 -row-mt 0 -threads 1 -g 45 \
    -c:a libopus -b:a 64k -ar 48000 -ac 1 \
    -map 0:v -map 1:a -shortest -fflags +bitexact -flags:v +bitexact -flags:a +bitexact \
    -f webm "$work/song.webm"
mv "$work/song.wmv" "$song"
mv "$work/song.webm" "$twin"
