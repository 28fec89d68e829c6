// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own icon file read without Qt's image plugins: finding and
// loading the plugin for .ico would otherwise be most of what the icon costs
// on the way to the main window's first paint.
#pragma once

#include <QByteArrayView>
#include <QImage>

namespace platform {

// The first image of an icon file when it is an uncompressed 24- or 32-bit
// bitmap (what the program's own icon holds); a null image for anything
// else, and for a file that is cut short or contradicts itself, so that the
// caller can fall back on Qt's reader.
QImage readIconFileImage(QByteArrayView file);

} // namespace platform
