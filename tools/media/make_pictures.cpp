// SPDX-License-Identifier: GPL-3.0-or-later
// Draws one picture per letter: the letter large and bright on a soft
// coloured card, with its spoken name beneath it. Letters whose row of the
// program's letter table says "bmp" are saved as 24-bit bitmaps, the others
// as JPEG files.
//
// Usage: make_pictures <Amiri-Bold.ttf> <output folder>

#include "app/letters.h"
#include "tools/media/mediadrawing.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QTextStream>
#include <cstring>

namespace {

// The size of the picture area of the main window, so no scaling is needed.
constexpr int pictureWidth = 585;
constexpr int pictureHeight = 337;
constexpr int jpegQuality = 90;

// One colour theme per letter, taken in turn.
struct Theme {
    QColor backgroundTop;
    QColor backgroundBottom;
    QColor letter;
};

const Theme themes[] = {
    {QColor(255, 236, 179), QColor(255, 204, 128), QColor(229, 57, 53)},
    {QColor(200, 230, 255), QColor(144, 202, 249), QColor(30, 100, 200)},
    {QColor(220, 248, 200), QColor(174, 225, 140), QColor(46, 150, 50)},
    {QColor(248, 215, 240), QColor(240, 170, 220), QColor(170, 40, 160)},
    {QColor(255, 224, 204), QColor(255, 183, 150), QColor(230, 100, 0)},
    {QColor(208, 242, 242), QColor(140, 220, 220), QColor(0, 130, 140)},
    {QColor(232, 222, 255), QColor(197, 180, 250), QColor(100, 60, 200)},
};

QColor lighter(const QColor &colour, int alpha) {
    QColor result = colour.lighter(130);
    result.setAlpha(alpha);
    return result;
}

// Soft balloons and stars scattered around the edges; a seed per letter
// keeps every run identical.
void drawConfetti(QPainter &painter, const Theme &theme, quint32 seed) {
    QRandomGenerator random(seed);
    const QColor colours[] = {theme.letter, QColor(255, 193, 7), QColor(66, 165, 245),
                              QColor(102, 187, 106), QColor(236, 64, 122)};
    painter.save();
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 26; ++i) {
        const qreal x = random.bounded(pictureWidth);
        const qreal y = random.bounded(pictureHeight);
        // Keep the middle free for the letter.
        if (std::abs(x - pictureWidth / 2.0) < 170 && std::abs(y - pictureHeight / 2.0) < 150)
            continue;
        const qreal r = 5 + random.bounded(10);
        painter.setBrush(lighter(colours[i % std::size(colours)], 150));
        if (i % 3 == 0) {
            QPainterPath star;
            for (int k = 0; k < 10; ++k) {
                const qreal angle = M_PI / 5 * k - M_PI / 2;
                const qreal radius = k % 2 == 0 ? r * 1.4 : r * 0.6;
                const QPointF p(x + radius * std::cos(angle), y + radius * std::sin(angle));
                k == 0 ? star.moveTo(p) : star.lineTo(p);
            }
            star.closeSubpath();
            painter.drawPath(star);
        } else {
            painter.drawEllipse(QPointF(x, y), r, r);
        }
    }
    painter.restore();
}

QImage drawPicture(const app::Letter &letter, int index, const QFont &font) {
    const Theme &theme = themes[index % std::size(themes)];
    QImage image(pictureWidth, pictureHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient background(0, 0, 0, pictureHeight);
    background.setColorAt(0, theme.backgroundTop);
    background.setColorAt(1, theme.backgroundBottom);
    painter.fillRect(image.rect(), background);
    drawConfetti(painter, theme, quint32(1000 + index));

    // A white card with a coloured, friendly border.
    const QRectF card(150, 22, pictureWidth - 300, pictureHeight - 44);
    painter.setPen(QPen(theme.letter, 6));
    painter.setBrush(QColor(255, 255, 255, 215));
    painter.drawRoundedRect(card, 30, 30);

    QFont letterFont = font;
    letterFont.setPixelSize(230);
    const QRectF letterBox = card.adjusted(20, 14, -20, -70);
    // A soft shadow, then the letter itself.
    const QString stem = QString::fromUtf8(letter.stem);
    drawOutlinedText(painter, letterBox.translated(5, 5), letterFont, stem, QColor(0, 0, 0, 50),
                     QColor(0, 0, 0, 50), 10);
    drawOutlinedText(painter, letterBox, letterFont, stem, theme.letter, Qt::white, 10);

    QFont nameFont = font;
    nameFont.setPixelSize(56);
    const QRectF nameBox(card.left() + 40, card.bottom() - 68, card.width() - 80, 56);
    drawOutlinedText(painter, nameBox, nameFont, QString::fromUtf8(letter.vocalisedName),
                     theme.letter.darker(140), Qt::white, 4);
    painter.end();
    return image;
}

} // namespace

int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        err << "usage: make_pictures <Amiri-Bold.ttf> <output folder>\n";
        return 2;
    }
    QString problem;
    const QFont font = loadFont(args.at(1), &problem);
    const QDir out(args.at(2));
    if (problem.isEmpty() && !out.exists())
        problem = QStringLiteral("the output folder %1 does not exist").arg(args.at(2));
    if (!problem.isEmpty()) {
        err << "make_pictures: " << problem << '\n';
        return 1;
    }

    for (int i = 0; i < int(app::Letters.size()); ++i) {
        const app::Letter &letter = app::Letters.at(i);
        const QString path = out.filePath(QString::fromUtf8(letter.stem) + u'.' +
                                          QLatin1String(letter.pictureExtension));
        const bool bitmap = std::strcmp(letter.pictureExtension, "bmp") == 0;
        const QImage image = drawPicture(letter, i, font);
        // Bitmaps are written without alpha so they stay 24 bits per pixel.
        const bool saved = bitmap ? image.convertToFormat(QImage::Format_RGB888).save(path, "BMP")
                                  : image.save(path, "JPEG", jpegQuality);
        if (!saved) {
            err << "make_pictures: cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
