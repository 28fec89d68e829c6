// SPDX-License-Identifier: GPL-3.0-or-later
// The source form of a skin: its tree and values as a JSON file a person can
// read and edit, and its images as PNG files beside it. The stored skin is
// kept in this form (skin/webii/) and built into a stream at build time.
//
// Layout of the JSON file:
//   { "settings": group, "secondGroup": group, "imageTableTag": 3,
//     "images": [ {"name": "web.bmp", "file": "web.png"}, ... ],
//     "afterImages": 0,
//     "root": {"name": "Web-II", "tag": null, "children": [element, ...]} }
//   group   = {"version": 2, "properties": [[name, value], ...]}
//   element = {"kind": "SkinStatic", "name": ..., "tag": ..., "groups": [group, ...],
//              "children": [element, ...]}
// Values follow the encoding the schema gives the property: texts are
// strings or null; integers numbers or "0x..." strings (a 32-bit pattern);
// colour triples "#RRGGBB"; rectangles [l, t, r, b]; sizes [w, h]; text
// styles [style, text colour, second colour, format]; actions [1, 0, 0];
// fonts "zeros" or 120 hex digits; unknown properties {"raw": "hex"}; and
// pictures {"layout": L, "slots": [{"image": name, "source": [...],
// "margins": [...], "flags": n}, ...], "stateFlag", "stateNumber",
// "textStyles": [...], "colours": [...], "otherWords": {"index": value}}.
// Picture handles are not part of the source: skin::Skin::assignHandles()
// gives them when a stream is built.
#pragma once

#include "skin/skinmodel.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class QDir;

namespace skin {

// The JSON text of a skin; image i is referred to as imageFiles[i].
QByteArray skinToJson(const Skin &skin, const QStringList &imageFiles);
// A skin from JSON text; image files are looked up relative to baseDir.
std::optional<Skin> skinFromJson(const QByteArray &json, const QString &baseDir,
                                 QString *error = nullptr);

// Loads a source (the JSON file and the images it names).
std::optional<Skin> loadSkinSource(const QString &jsonPath, QString *error = nullptr);
// Writes a source: the JSON file and the image files beside it (below).
// Nothing is written when an image cannot be, and the JSON file never
// takes an image file's name.
bool saveSkinSource(const Skin &skin, const QString &jsonPath, QString *error = nullptr);

// The images of a skin as PNG files, one file of its own for each image,
// named after it: "web.bmp" becomes "web.png", a second "web.bmp"
// "web-2.png" (the first number no other image's file has, whatever the
// case of the letters). An image whose name cannot make a file name (no
// name, an empty one, a NUL or other control character, a path separator,
// a name of a hidden file or a folder such as ".." or ".bmp", not valid
// Unicode, too long), or that no PNG file can hold (no pixels, a side of
// more than 1,000,000), gives nullopt and the reason in *error.
struct ImageFile {
    QString name;
    QByteArray png;
};
std::optional<QList<ImageFile>> imageFiles(const Skin &skin, QString *error);
// Writes the files into dir, each whole or not at all, and gives their
// paths.
bool writeImageFiles(const QList<ImageFile> &files, const QDir &dir, QStringList *paths,
                     QString *error);

} // namespace skin
