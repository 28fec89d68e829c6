#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the copyright notices of a Qt build for Windows, in the form of a
Debian machine-readable copyright file's paragraphs: Qt itself, and each
third-party library Qt links into the executable, with its copyright lines
and licence text taken from Qt's own attribution files.

Usage: qt-notices.py QTBASE_SOURCE QTMULTIMEDIA_SOURCE DEBIAN_VERSIONS OUTPUT"""
import json
import pathlib
import sys

# The bundled code a static Qt with Core, Gui, Widgets, Network, Concurrent,
# Test and Multimedia puts into a Windows executable.
THIRD_PARTY = ["harfbuzz-ng", "freetype", "libpng", "libjpeg", "zlib", "pcre2", "md4c",
               "double-conversion", "tinycbor", "easing", "sha3", "blake2", "md5", "md4",
               "rfc6234", "sha1"]


def indented(text):
    lines = [line.rstrip() for line in text.strip("\n").splitlines()]
    return "\n".join(" " + line if line else " ." for line in lines)


def entries(folder):
    with open(folder / "qt_attribution.json", encoding="utf-8") as file:
        data = json.loads(file.read(), strict=False)
    return data if isinstance(data, list) else [data]


def paragraph(folder, relative, entry):
    path = entry.get("Path", "").strip("/")
    if entry.get("Files"):
        files = " ".join(f"{relative}/{name}" for name in entry["Files"].split())
    else:
        files = f"{relative}/{path}/*" if path else f"{relative}/*"
    if "Copyright" in entry:
        copyright = entry["Copyright"]
    else:
        copyright = (folder / entry["CopyrightFile"]).read_text(encoding="utf-8")
    copyright = [line.strip() for line in copyright.splitlines() if line.strip()]
    copyright = [line[len("Copyright"):].strip() if line.startswith("Copyright") else line
                 for line in copyright]
    copyright = [line[3:].strip() if line.lower().startswith("(c)") else line
                 for line in copyright]
    # Code given to the public domain names no licence file: its words are the
    # notice.
    license_files = entry.get("LicenseFiles") or [entry.get("LicenseFile")]
    texts = "\n\n".join(
        (folder / name).read_text(encoding="utf-8", errors="replace") if name else
        entry.get("License", "public domain") for name in license_files)
    license_id = entry.get("LicenseId") or "public-domain"
    name = entry["Name"] + (f" {entry['Version']}" if entry.get("Version") else "")
    return (f"Files: {files}\n"
            f"Copyright: " + "\n           ".join(copyright) + "\n"
            f"License: {license_id}\n{indented(texts)}\n"
            f"Comment: {name}, bundled with Qt and linked into snomel.exe.")


def main(qtbase, qtmultimedia, versions, output):
    qtbase, qtmultimedia = pathlib.Path(qtbase), pathlib.Path(qtmultimedia)
    paragraphs = [
        "Files: qtbase/* qtmultimedia/*\n"
        "Copyright: The Qt Company Ltd. and other contributors\n"
        "License: GPL-3\n"
        " Qt is used under the terms of the GNU General Public License, version 3,\n"
        " whose text is in LICENSE.txt beside this file.\n"
        f"Comment: Qt 6.4.2 from Debian's source packages ({versions}), with the\n"
        " patches Debian applies and those in the program's tools/windows/qt-patches,\n"
        " built statically into snomel.exe: Qt Core, Gui, Widgets, Network,\n"
        " Concurrent, Multimedia and Multimedia Widgets, the Windows platform plugin\n"
        " and the JPEG picture plugin. The paths below are those of Qt's sources."]
    for name in THIRD_PARTY:
        folder = qtbase / "src" / "3rdparty" / name
        for entry in entries(folder):
            paragraphs.append(paragraph(folder, f"qtbase/src/3rdparty/{name}", entry))
    pathlib.Path(output).write_text("\n\n".join(paragraphs) + "\n", encoding="utf-8")


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
