#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Takes the build machine's folders out of an executable linked with the
static Qt for Windows, in place.

The static Qt records the prefix it was installed into (under the builder's
cache folder) in its 268-byte "qt_prfxpath=" field, where Qt looks for its
plugins, catalogues and the rest: on a family's PC that is a folder that does
not exist, or worse one anybody may create. The field is made to be patched
(Qt's own installers do so): it becomes "./././.", the executable's folder
to Qt, which takes a relative prefix from there. Of the same length as what
it replaces: the compiler may have measured the text where Qt reads it.
Messages Qt's code words with its source file's name name it from where it
was compiled: that folder becomes "./././" in them, the same way.

  relocate-qt.py EXE --qt-prefix DIR [--sources DIR ...] [--forbid DIR ...]

With --forbid, the executable must then name none of those folders, in
narrow or in wide text; it exits 1, naming what it found, otherwise.
"""
import argparse
import sys

FIELD = b"qt_prfxpath="


def here(length, folder=False):
    """The folder itself, as a relative path of the given length:
    "./././." or, as a folder ending in a separator, "./././" (".//" at the
    end where the length is odd)."""
    if not folder:
        return (b"./" * length)[:length]
    odd = length % 2
    return (b"./" * (length // 2))[:length - 3 * odd] + b".//" * odd


def relocate_prefix(data, prefix):
    at = data.find(FIELD + prefix + b"\0")
    if at < 0:
        sys.exit(f"relocate-qt: no {FIELD.decode()}{prefix.decode()} field in the executable")
    value = at + len(FIELD)
    data[value:value + len(prefix)] = here(len(prefix))


def drop_folder(data, folder):
    """Each text that begins with folder (ending in "/") names the rest
    relative to it: "./././" in its place, of the same length."""
    data[:] = data.replace(folder, here(len(folder), folder=True))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("executable")
    parser.add_argument("--qt-prefix", required=True)
    parser.add_argument("--sources", action="append", default=[])
    parser.add_argument("--forbid", action="append", default=[])
    args = parser.parse_args()

    with open(args.executable, "rb") as file:
        data = bytearray(file.read())
    prefix = args.qt_prefix.rstrip("/").encode()
    if (FIELD + here(len(prefix)) + b"\0") not in data:
        relocate_prefix(data, prefix)
    for folder in args.sources:
        drop_folder(data, folder.rstrip("/").encode() + b"/")

    found = []
    for folder in args.forbid:
        folder = folder.rstrip("/")
        for text in (folder.encode(), folder.encode("utf-16-le")):
            if text in data:
                found.append(folder)
    if found:
        sys.exit(f"relocate-qt: {args.executable} still names {', '.join(sorted(set(found)))}")
    with open(args.executable, "wb") as file:
        file.write(data)


if __name__ == "__main__":
    main()
