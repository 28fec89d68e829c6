// SPDX-License-Identifier: GPL-3.0-or-later
// Positions and sizes in twips (1440 to the inch): 15 twips make a
// device-independent pixel at 96 dots per inch.
#pragma once

#include <QRect>

class QWidget;

namespace platform::twips {

inline constexpr int PerPixel = 15;

constexpr int toPixels(int twips) {
    return twips / PerPixel;
}
constexpr int fromPixels(int pixels) {
    return pixels * PerPixel;
}
constexpr QRect toPixels(int left, int top, int width, int height) {
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

// A control's outer size and position, in twips.
int width(const QWidget *control);
int height(const QWidget *control);
void setWidth(QWidget *control, int twips);
void setHeight(QWidget *control, int twips);
void setTop(QWidget *control, int twips);

} // namespace platform::twips
