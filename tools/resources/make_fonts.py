#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes the program's bundled font: Noto Naskh Arabic with the Latin
letters of Noto Serif, its companion design, merged in, as the family
"Snomel Naskh".

Why the Latin letters: a face that covers Latin is one the font database
can use for every script, so each size is loaded once instead of once for
Arabic and once more for common characters (digits, punctuation, the
metrics every control asks for); Latin text is drawn in a matching design
rather than in whatever the system falls back to. The family is renamed
because this is a modified version, and so that a system copy of the
Arabic face cannot stand in for it.

Usage: make_fonts.py [output folder]   (default: resources/fonts)
Needs the Debian packages python3-fonttools and fonts-noto-core (or
NOTO_FONT_DIR). The output
is the same byte for byte on every run.
"""

import os
import sys
from pathlib import Path

from fontTools import subset
from fontTools.merge import Merger, Options
from fontTools.ttLib import TTFont

# NOTO_FONT_DIR: the Noto fonts from elsewhere, for instance the package unpacked
# with dpkg-deb -x rather than installed.
NOTO = Path(os.environ.get("NOTO_FONT_DIR", "/usr/share/fonts/truetype/noto"))
FAMILY = "Snomel Naskh"
STYLES = ("Regular", "Bold")

# Latin letters, punctuation and symbols, ASCII and Latin-1. The Arabic face
# keeps its own space, digits and the marks both fonts have.
LATIN = [*range(0x21, 0x7F), *range(0xA1, 0x100)]


def latin_part(style: str) -> TTFont:
    font = TTFont(NOTO / f"NotoSerif-{style}.ttf")
    options = subset.Options()
    options.layout_features = ["kern", "liga"]
    options.hinting = False  # the merged font keeps the Arabic face's programs
    options.name_IDs = []
    options.notdef_outline = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=LATIN)
    subsetter.subset(font)
    return font


def rename(font: TTFont, style: str) -> None:
    names = font["name"]
    postscript = FAMILY.replace(" ", "") + "-" + style
    for record in list(names.names):
        if record.nameID in (1, 16):
            names.setName(FAMILY, record.nameID, record.platformID, record.platEncID, record.langID)
        elif record.nameID == 4:
            full = FAMILY if style == "Regular" else f"{FAMILY} {style}"
            names.setName(full, 4, record.platformID, record.platEncID, record.langID)
        elif record.nameID == 6:
            names.setName(postscript, 6, record.platformID, record.platEncID, record.langID)
        elif record.nameID == 3:
            names.setName(f"{postscript};merged with Noto Serif Latin", 3, record.platformID,
                          record.platEncID, record.langID)
    if "CFF " not in font:
        font["post"].formatType = 2.0


def make(style: str, folder: Path) -> Path:
    arabic_path = NOTO / f"NotoNaskhArabic-{style}.ttf"
    with TTFont(arabic_path) as arabic, latin_part(style) as latin:
        if arabic["head"].unitsPerEm != latin["head"].unitsPerEm:
            sys.exit(f"make_fonts.py: {arabic_path.name} and Noto Serif differ in units per em")
        dates = arabic["head"].created, arabic["head"].modified
        latin_path = folder / f".latin-{style}.ttf"
        latin.save(latin_path)
    try:
        merger = Merger(options=Options(drop_tables=["DSIG"]))
        merged = merger.merge([str(arabic_path), str(latin_path)])
    finally:
        latin_path.unlink()
    rename(merged, style)
    # The Arabic face's dates, not today's: the output is reproducible.
    merged["head"].created, merged["head"].modified = dates
    merged.recalcTimestamp = False
    out = folder / f"{FAMILY.replace(' ', '')}-{style}.ttf"
    merged.save(out)
    return out


def main() -> None:
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parents[2] / "resources" / "fonts"
    for style in STYLES:
        for source in (NOTO / f"NotoNaskhArabic-{style}.ttf", NOTO / f"NotoSerif-{style}.ttf"):
            if not source.is_file():
                sys.exit(f"make_fonts.py: {source} is missing (Debian package fonts-noto-core)")
    folder.mkdir(parents=True, exist_ok=True)
    for style in STYLES:
        print(make(style, folder))


if __name__ == "__main__":
    main()
