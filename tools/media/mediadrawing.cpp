// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/media/mediadrawing.h"

#include <QFontDatabase>
#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>

QFont loadFont(const QString &path, QString *problem) {
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families =
        id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        *problem = QStringLiteral("cannot load the font file %1").arg(path);
        return {};
    }
    QFont font(families.first());
    font.setBold(true);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QPainterPath textOutline(const QFont &font, const QString &text, int from, int length) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setTextDirection(text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    layout.setTextOption(option);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    // Glyphs overlap where letters join: their union is what the font draws.
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QGlyphRun &run : layout.glyphRuns(from, length)) {
        const QRawFont glyphFont = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size(); ++i)
            path.addPath(glyphFont.pathForGlyph(glyphs.at(i)).translated(positions.at(i)));
    }
    return path;
}

QTransform placeInBox(const QRectF &box, const QPainterPath &path, qreal outlineWidth) {
    const QRectF ink = path.boundingRect();
    if (ink.isEmpty())
        return {};
    const qreal room = 2 * outlineWidth;
    const qreal scale =
        std::min({1.0, (box.width() - room) / ink.width(), (box.height() - room) / ink.height()});
    QTransform place;
    place.translate(box.center().x(), box.center().y());
    place.scale(scale, scale);
    place.translate(-ink.center().x(), -ink.center().y());
    return place;
}

void drawOutlinedPath(QPainter &painter, const QPainterPath &path, const QColor &fill,
                      const QColor &outline, qreal outlineWidth) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(path);
    painter.restore();
}

void drawOutlinedText(QPainter &painter, const QRectF &box, const QFont &font, const QString &text,
                      const QColor &fill, const QColor &outline, qreal outlineWidth) {
    const QPainterPath path = textOutline(font, text);
    drawOutlinedPath(painter, placeInBox(box, path, outlineWidth).map(path), fill, outline,
                     outlineWidth);
}
