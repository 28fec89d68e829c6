// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing helpers shared by the media generators.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <QTransform>

class QPainter;

// Loads a font file into the application and returns it as a font; on failure
// returns a default font and sets *problem to a message naming the file.
QFont loadFont(const QString &path, QString *problem);

// The outline of a one-line text as the font draws it, or of the glyphs that
// draw its characters from..from + length only, in the same coordinates as
// the whole text's (for colouring a letter of a joined word).
QPainterPath textOutline(const QFont &font, const QString &text, int from = -1, int length = -1);

// A transform that centres path (by its ink) in box, shrunk to fit it with
// room for an outline of the given width.
QTransform placeInBox(const QRectF &box, const QPainterPath &path, qreal outlineWidth);

// Draws a path outlined with outline of the given width, then filled with fill.
void drawOutlinedPath(QPainter &painter, const QPainterPath &path, const QColor &fill,
                      const QColor &outline, qreal outlineWidth);

// Draws text centred (by its ink) in box, filled with fill and outlined with
// outline of the given width; the text is shrunk to fit the box if needed.
void drawOutlinedText(QPainter &painter, const QRectF &box, const QFont &font, const QString &text,
                      const QColor &fill, const QColor &outline, qreal outlineWidth);
