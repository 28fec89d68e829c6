// SPDX-License-Identifier: GPL-3.0-or-later
// The About window's properties, controls and texts, as data.
#pragma once

#include "platform/form.h"

#include <QColor>
#include <span>

namespace windows {

extern const platform::FormSpec Form2Spec;

// The settings a skin label stores besides its place, caption and font.
struct StoredLabel {
    const char *name;
    qint32 first;
    qint32 extentWidth; // HIMETRIC
    qint32 extentHeight;
    qint32 fifth;
    qint32 sixth;
};
extern const std::span<const StoredLabel> Form2Labels;

// The one colour Frame2 stores; it has no caption to draw in it.
inline constexpr QRgb Frame2Colour = qRgb(0, 64, 0);

} // namespace windows
