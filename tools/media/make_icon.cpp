// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the program icon and writes it as an icon file with one 100 x 150
// image in 24-bit colour with a 1-bit mask. The bytes are written here, not by
// an image plugin, so the file layout is exactly the one the program ships.
//
// The picture fills the whole image and the mask marks nothing transparent:
// Qt's icon reader ignores the mask of a 24-bit image, so any transparent
// pixel would show as black in the program's windows.
//
// Usage: make_icon <Amiri-Bold.ttf> <out.ico>

#include "tools/media/mediadrawing.h"

#include <QByteArray>
#include <QDataStream>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSaveFile>
#include <QTextStream>

#include <cmath>

namespace {

constexpr int iconWidth = 100;
constexpr int iconHeight = 150;
constexpr int fileHeaderSize = 6;
constexpr int directoryEntrySize = 16;
constexpr int bitmapHeaderSize = 40;
constexpr int colourRowSize = ((iconWidth * 3 + 3) / 4) * 4; // 300
constexpr int maskRowSize = ((iconWidth + 31) / 32) * 4;     // 16
constexpr int colourSize = colourRowSize * iconHeight;       // 45000
constexpr int maskSize = maskRowSize * iconHeight;           // 2400
constexpr int imageSize = bitmapHeaderSize + colourSize + maskSize;

// A pixel whose alpha is below this is transparent in the mask.
constexpr int opaqueAlpha = 128;

void drawSun(QPainter &painter, QPointF centre, qreal radius) {
    painter.save();
    painter.setPen(QPen(QColor(255, 190, 20), 3, Qt::SolidLine, Qt::RoundCap));
    constexpr int rays = 10;
    for (int i = 0; i < rays; ++i) {
        const qreal angle = 2 * M_PI * i / rays;
        const QPointF dir(std::cos(angle), std::sin(angle));
        painter.drawLine(centre + dir * (radius + 3), centre + dir * (radius + 9));
    }
    QRadialGradient glow(centre, radius);
    glow.setColorAt(0, QColor(255, 250, 150));
    glow.setColorAt(1, QColor(255, 205, 30));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, radius, radius);
    // A smile on the sun.
    painter.setPen(QPen(QColor(200, 90, 0), 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(QColor(200, 90, 0));
    painter.drawEllipse(centre + QPointF(-4, -3), 1.5, 1.5);
    painter.drawEllipse(centre + QPointF(4, -3), 1.5, 1.5);
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(centre.x() - 6, centre.y() - 4, 12, 10), -20 * 16, -140 * 16);
    painter.restore();
}

QImage drawIcon(const QFont &letterFont) {
    QImage image(iconWidth, iconHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(255, 200, 40));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // A sky card with round corners on a sunny yellow frame.
    const QRectF card(3, 3, iconWidth - 6, iconHeight - 6);
    QPainterPath cardPath;
    cardPath.addRoundedRect(card, 12, 12);
    painter.setClipPath(cardPath);

    QLinearGradient sky(0, 0, 0, iconHeight);
    sky.setColorAt(0, QColor(40, 150, 240));
    sky.setColorAt(0.7, QColor(160, 220, 255));
    painter.fillRect(card, sky);

    // A green hill at the bottom.
    QPainterPath hill;
    hill.moveTo(0, iconHeight);
    hill.lineTo(0, 128);
    hill.quadTo(iconWidth / 2.0, 105, iconWidth, 128);
    hill.lineTo(iconWidth, iconHeight);
    hill.closeSubpath();
    painter.fillPath(hill, QColor(90, 200, 70));

    drawSun(painter, QPointF(76, 24), 12);

    // The first letter, large and bright, with a white outline.
    QFont font = letterFont;
    font.setPixelSize(118);
    drawOutlinedText(painter, QRectF(0, 4, iconWidth - 16, iconHeight - 10), font,
                     QStringLiteral("\u0623"), QColor(235, 40, 90), Qt::white, 5);

    painter.setClipping(false);
    painter.setPen(QPen(QColor(255, 255, 255), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(card, 12, 12);
    painter.end();
    return image;
}

// The icon file: header, one directory entry, the bitmap-information header,
// the colour rows bottom-up in BGR order and the AND mask bottom-up.
QByteArray iconFileBytes(const QImage &drawn) {
    const QImage image = drawn.convertToFormat(QImage::Format_ARGB32);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);

    out << quint16(0) << quint16(1) << quint16(1);
    out << quint8(iconWidth) << quint8(iconHeight) << quint8(0) << quint8(0);
    out << quint16(1) << quint16(24) << quint32(imageSize)
        << quint32(fileHeaderSize + directoryEntrySize);

    out << quint32(bitmapHeaderSize) << qint32(iconWidth) << qint32(2 * iconHeight);
    out << quint16(1) << quint16(24) << quint32(0) << quint32(colourSize);
    out << qint32(0) << qint32(0) << quint32(0) << quint32(0);

    for (int y = iconHeight - 1; y >= 0; --y) {
        for (int x = 0; x < iconWidth; ++x) {
            const QRgb pixel = image.pixel(x, y);
            // Transparent pixels stay black so the mask alone decides.
            const bool opaque = qAlpha(pixel) >= opaqueAlpha;
            out << quint8(opaque ? qBlue(pixel) : 0) << quint8(opaque ? qGreen(pixel) : 0)
                << quint8(opaque ? qRed(pixel) : 0);
        }
        for (int pad = iconWidth * 3; pad < colourRowSize; ++pad)
            out << quint8(0);
    }

    for (int y = iconHeight - 1; y >= 0; --y) {
        QByteArray row(maskRowSize, '\0');
        for (int x = 0; x < iconWidth; ++x) {
            if (qAlpha(image.pixel(x, y)) < opaqueAlpha)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.writeRawData(row.constData(), int(row.size()));
    }
    return bytes;
}

} // namespace

int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        err << "usage: make_icon <Amiri-Bold.ttf> <out.ico>\n";
        return 2;
    }
    QString problem;
    const QFont font = loadFont(args.at(1), &problem);
    if (!problem.isEmpty()) {
        err << "make_icon: " << problem << '\n';
        return 1;
    }

    const QByteArray bytes = iconFileBytes(drawIcon(font));
    constexpr int expected = fileHeaderSize + directoryEntrySize + imageSize;
    if (bytes.size() != expected) {
        err << "make_icon: internal error: " << bytes.size() << " bytes, expected " << expected
            << '\n';
        return 1;
    }
    QSaveFile file(args.at(2));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        err << "make_icon: cannot write " << args.at(2) << ": " << file.errorString() << '\n';
        return 1;
    }
    return 0;
}
