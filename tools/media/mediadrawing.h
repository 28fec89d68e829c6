// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing helpers shared by the media generators.
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

// Loads a font file into the application and returns it as a font; on failure
// returns a default font and sets *problem to a message naming the file.
QFont loadFont(const QString &path, QString *problem);

// Draws text centred (by its ink) in box, filled with fill and outlined with
// outline of the given width; the text is shrunk to fit the box if needed.
void drawOutlinedText(QPainter &painter, const QRectF &box, const QFont &font, const QString &text,
                      const QColor &fill, const QColor &outline, qreal outlineWidth);
