#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a fresh prefix and checks the layout a desktop
# expects, then starts the installed launcher the way a desktop would: from
# elsewhere, through a link, under a locale that cannot express Arabic.
# Usage: check_install.sh BUILD-DIR SOURCE-DIR PREFIX
set -euo pipefail
build=$1 source=$2 prefix=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

program=$prefix/lib/snomel
desktop=$prefix/share/applications/example.alzanbouti.snomel.desktop
metainfo=$prefix/share/metainfo/example.alzanbouti.snomel.metainfo.xml
[ -x "$program/snomel" ] || fail "no executable in the program folder $program"
[ -x "$prefix/bin/snomel" ] || fail "no launcher at $prefix/bin/snomel"
[ -f "$program/snomel-media.so" ] || fail "no media layer (snomel-media.so) in the program folder"
[ -f "$desktop" ] || fail "no desktop entry"
[ -f "$metainfo" ] || fail "no metainfo"
for doc in copyright changelog.gz; do
    [ -f "$prefix/share/doc/snomel/$doc" ] || fail "no $doc in share/doc/snomel"
done

# Every media file that ships beside the program, under its own name.
count=0
while IFS= read -r -d '' file; do
    name=$(basename "$file")
    cmp -s "$file" "$program/$name" || fail "media file '$name' missing or different in $program"
    count=$((count + 1))
done < <(find "$source/media" -maxdepth 1 -type f \
    \( -name '*.bmp' -o -name '*.jpg' -o -name '*.wav' -o -name '*.wmv' \) -print0)
[ "$count" -eq 57 ] || fail "expected 28 pictures, 28 sounds and the song, found $count files"
[ -f "$program/حروف الهجاء.wmv" ] || fail "the song video is not in the program folder"

# The desktop entry starts the launcher in the program folder.
grep -qx "Path=$program" "$desktop" ||
    fail "the desktop entry's Path is not $program"
grep -qx "Exec=$prefix/bin/snomel" "$desktop" ||
    fail "the desktop entry does not start $prefix/bin/snomel"
grep -q '<release version="1.0.0.0"' "$metainfo" ||
    fail "the metainfo has no release 1.0.0.0"
# The manual page tells where this installation keeps the program and its
# media.
gzip -dc "$prefix/share/man/man1/snomel.1.gz" | grep -qx ".I $program" ||
    fail "the manual page does not name the program folder $program"

# The icon theme: square images of each usual size.
for size in 16 22 24 32 48 64 128; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/snomel.png
    [ -f "$icon" ] || fail "no ${size}x${size} icon"
    got=$(identify -format '%m %wx%h' "$icon")
    [ "$got" = "PNG ${size}x${size}" ] || fail "$icon is '$got', not a ${size}x${size} PNG"
done
# The icon is not distorted: its transparent side bands survive squaring.
corner=$(convert "$prefix/share/icons/hicolor/128x128/apps/snomel.png" -format '%[fx:p{0,64}.a]' info:)
centre=$(convert "$prefix/share/icons/hicolor/128x128/apps/snomel.png" -format '%[fx:p{64,64}.a]' info:)
[ "$corner" = 0 ] && [ "$centre" = 1 ] ||
    fail "the 128 icon is not the tall icon centred on a transparent square (edge alpha $corner, centre alpha $centre)"

# The launcher, reached through a link from another folder under the C
# locale: the program must run in its own folder with a UTF-8 locale.
links=$(mktemp -d)
trap 'rm -rf "$links"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; true' EXIT
ln -s "$prefix/bin/snomel" "$links/snomel"
cd "$links"
LC_ALL=C QT_QPA_PLATFORM=offscreen ./snomel &
pid=$!
for _ in $(seq 100); do
    [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$program/snomel" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the installed program ended at once"
    sleep 0.1
done
[ "$(readlink "/proc/$pid/exe")" = "$program/snomel" ] || fail "the launcher did not start $program/snomel"
[ "$(readlink "/proc/$pid/cwd")" = "$program" ] ||
    fail "the program runs in $(readlink "/proc/$pid/cwd"), not in its folder"
tr '\0' '\n' <"/proc/$pid/environ" | grep -qx 'LC_ALL=C.UTF-8' ||
    fail "the launcher did not switch the C locale to C.UTF-8"
sleep 1
kill -0 "$pid" 2>/dev/null || fail "the installed program did not keep running"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=
echo "installed layout under $prefix is complete"
