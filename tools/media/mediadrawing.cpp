// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/media/mediadrawing.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTransform>

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

void drawOutlinedText(QPainter &painter, const QRectF &box, const QFont &font, const QString &text,
                      const QColor &fill, const QColor &outline, qreal outlineWidth) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF ink = path.boundingRect();
    if (ink.isEmpty())
        return;
    const qreal room = 2 * outlineWidth;
    const qreal scale =
        std::min({1.0, (box.width() - room) / ink.width(), (box.height() - room) / ink.height()});
    QTransform place;
    place.translate(box.center().x(), box.center().y());
    place.scale(scale, scale);
    place.translate(-ink.center().x(), -ink.center().y());
    const QPainterPath placed = place.map(path);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(placed);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(placed);
    painter.restore();
}
