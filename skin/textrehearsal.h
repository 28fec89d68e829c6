// SPDX-License-Identifier: GPL-3.0-or-later
// Getting a window's text ready before the window's first paint.
#pragma once

#include <QFont>
#include <QList>
#include <QRect>
#include <QString>

class QWidget;

namespace skin {

// A text a window draws: in which font, where (in the coordinates of the
// widget that draws it) and how (Qt::AlignmentFlag and Qt::TextFlag values).
struct TextSample {
    QFont font;
    QString text;
    QRect rect;
    int flags = 0;
};

// The captions the visible controls in window draw, each in its font:
// push buttons, frames and skin labels.
QList<TextSample> controlText(const QWidget *window);

// Draws the samples into a scratch image at the window's pixel ratio. What
// makes a text's first drawing slow (making its font, shaping it, rendering
// its glyphs) is kept by the fonts for every painter of the thread, so the
// window's own first paint then only draws. Run while the window system
// maps the window, this takes that time off the wait for the window's
// contents.
void rehearse(const QList<TextSample> &samples, qreal devicePixelRatio);

} // namespace skin
