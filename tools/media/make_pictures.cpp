// SPDX-License-Identifier: GPL-3.0-or-later
// Draws one picture per letter on a soft coloured background: on the right a
// card with the letter large and its spoken name beneath it, on the left a
// card with a drawing of the letter's word and the word beneath it, its first
// letter in the letter's colour. The drawings are Twemoji's SVG files, drawn
// from vector at the picture's own pixels. Letters whose row of the program's
// letter table says "bmp" are saved as 24-bit bitmaps, the others as JPEG
// files.
//
// With a fourth argument, also writes there the contact sheet of the
// pictures (letters.png) and two of them drawn at twice the size
// (letters-2x.png), to show that the drawings stay crisp on dense screens.
//
// Usage: make_pictures <Amiri-Bold.ttf> <Twemoji SVG folder> <output folder> [sheet folder]

#include "app/letters.h"
#include "tools/media/mediadrawing.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QSvgRenderer>
#include <QTextStream>
#include <cstring>
#include <optional>

namespace {

// The size of the picture area of the main window, so no scaling is needed.
constexpr int pictureWidth = 585;
constexpr int pictureHeight = 337;
constexpr int jpegQuality = 90;

// The two cards: the letter's on the right, where a right-to-left reader
// starts, the word's on the left.
const QRectF letterCard(365, 16, 204, pictureHeight - 32);
const QRectF wordCard(16, 16, 333, pictureHeight - 32);

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
    {QColor(255, 224, 204), QColor(255, 183, 150), QColor(215, 90, 0)},
    {QColor(208, 242, 242), QColor(140, 220, 220), QColor(0, 125, 135)},
    {QColor(232, 222, 255), QColor(197, 180, 250), QColor(100, 60, 200)},
};

// The word's letters after the first: dark, for contrast on the white card.
const QColor wordColour(45, 45, 60);

QColor lighter(const QColor &colour, int alpha) {
    QColor result = colour.lighter(130);
    result.setAlpha(alpha);
    return result;
}

// Soft balloons and stars scattered around the cards; a seed per letter
// keeps every run identical.
void drawConfetti(QPainter &painter, const Theme &theme, quint32 seed) {
    QRandomGenerator random(seed);
    const QColor colours[] = {theme.letter, QColor(255, 193, 7), QColor(66, 165, 245),
                              QColor(102, 187, 106), QColor(236, 64, 122)};
    painter.save();
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        const qreal x = random.bounded(pictureWidth);
        const qreal y = random.bounded(pictureHeight);
        const qreal r = 4 + random.bounded(6);
        // Only where they peep out between and around the cards.
        const QRectF spot(x - r, y - r, 2 * r, 2 * r);
        if (letterCard.adjusted(r, r, -r, -r).intersects(spot) ||
            wordCard.adjusted(r, r, -r, -r).intersects(spot))
            continue;
        painter.setBrush(lighter(colours[i % std::size(colours)], 170));
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

// A white card with a coloured, friendly border.
void drawCard(QPainter &painter, const QRectF &card, const Theme &theme) {
    painter.save();
    painter.setPen(QPen(theme.letter, 6));
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawRoundedRect(card, 28, 28);
    painter.restore();
}

// The word centred in box, its first letter (with its vowel marks) in the
// letter's colour.
void drawWord(QPainter &painter, const QRectF &box, const QFont &font, const QString &word,
              const Theme &theme) {
    constexpr qreal outlineWidth = 5;
    int firstLetterLength = 1;
    while (firstLetterLength < word.size() &&
           word.at(firstLetterLength).category() == QChar::Mark_NonSpacing)
        ++firstLetterLength;
    const QPainterPath whole = textOutline(font, word);
    const QTransform place = placeInBox(box, whole, outlineWidth);
    drawOutlinedPath(painter, place.map(whole), wordColour, Qt::white, outlineWidth);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(theme.letter);
    painter.drawPath(place.map(textOutline(font, word, 0, firstLetterLength)));
    painter.restore();
}

void drawLetterCard(QPainter &painter, const app::Letter &letter, const Theme &theme,
                    const QFont &font) {
    drawCard(painter, letterCard, theme);
    QFont letterFont = font;
    letterFont.setPixelSize(210);
    const QRectF letterBox = letterCard.adjusted(14, 16, -14, -78);
    // A soft shadow, then the letter itself.
    const QString stem = QString::fromUtf8(letter.stem);
    drawOutlinedText(painter, letterBox.translated(5, 5), letterFont, stem, QColor(0, 0, 0, 50),
                     QColor(0, 0, 0, 50), 10);
    drawOutlinedText(painter, letterBox, letterFont, stem, theme.letter, Qt::white, 10);

    QFont nameFont = font;
    nameFont.setPixelSize(52);
    const QRectF nameBox(letterCard.left() + 16, letterCard.bottom() - 72, letterCard.width() - 32,
                         58);
    drawOutlinedText(painter, nameBox, nameFont, QString::fromUtf8(letter.vocalisedName),
                     theme.letter.darker(150), Qt::white, 4);
}

void drawWordCard(QPainter &painter, const app::Letter &letter, const Theme &theme,
                  const QFont &font, QSvgRenderer &drawing) {
    drawCard(painter, wordCard, theme);
    // The drawing, square, drawn from vector at the painter's own resolution.
    constexpr qreal side = 180;
    const QRectF drawingBox(wordCard.center().x() - side / 2, wordCard.top() + 14, side, side);
    drawing.render(&painter, drawingBox);

    QFont wordFont = font;
    wordFont.setPixelSize(90);
    const QRectF wordBox(wordCard.left() + 16, drawingBox.bottom(), wordCard.width() - 32,
                         wordCard.bottom() - drawingBox.bottom() - 8);
    drawWord(painter, wordBox, wordFont, QString::fromUtf8(letter.word), theme);
}

// The picture at scale times its size (1 for the shipped files).
QImage drawPicture(const app::Letter &letter, int index, const QFont &font, QSvgRenderer &drawing,
                   int scale) {
    const Theme &theme = themes[index % std::size(themes)];
    QImage image(pictureWidth * scale, pictureHeight * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    QLinearGradient background(0, 0, 0, pictureHeight);
    background.setColorAt(0, theme.backgroundTop);
    background.setColorAt(1, theme.backgroundBottom);
    painter.fillRect(QRectF(0, 0, pictureWidth, pictureHeight), background);
    drawConfetti(painter, theme, quint32(1000 + index));
    drawLetterCard(painter, letter, theme, font);
    drawWordCard(painter, letter, theme, font, drawing);
    painter.end();
    return image;
}

QString drawingFile(const QDir &twemoji, char32_t emoji) {
    return twemoji.filePath(QString::number(uint(emoji), 16) + QStringLiteral(".svg"));
}

// The pictures pixel for pixel in a grid of the given number of columns, in
// reading order from the top right.
QImage contactSheet(const QList<QImage> &pictures, int columns) {
    constexpr int gap = 12;
    const int rows = int((pictures.size() + columns - 1) / columns);
    const QSize cell = pictures.constFirst().size() + QSize(gap, gap);
    QImage sheet(columns * cell.width() + gap, rows * cell.height() + gap, QImage::Format_RGB32);
    sheet.fill(QColor(250, 250, 250));
    QPainter painter(&sheet);
    for (int i = 0; i < int(pictures.size()); ++i) {
        QImage picture = pictures.at(i);
        // Drawn at its pixel size, never scaled to its logical one.
        picture.setDevicePixelRatio(1);
        const int column = columns - 1 - i % columns;
        painter.drawImage(QPoint(gap + column * cell.width(), gap + (i / columns) * cell.height()),
                          picture);
    }
    painter.end();
    return sheet;
}

} // namespace

int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 4 && args.size() != 5) {
        err << "usage: make_pictures <Amiri-Bold.ttf> <Twemoji SVG folder> <output folder>"
               " [sheet folder]\n";
        return 2;
    }
    QString problem;
    const QFont font = loadFont(args.at(1), &problem);
    const QDir twemoji(args.at(2));
    const QDir out(args.at(3));
    const std::optional<QDir> sheets =
        args.size() == 5 ? std::optional<QDir>(args.at(4)) : std::nullopt;
    for (const QDir &dir : {twemoji, out, sheets.value_or(out)})
        if (problem.isEmpty() && !dir.exists())
            problem = QStringLiteral("the folder %1 does not exist").arg(dir.path());
    if (!problem.isEmpty()) {
        err << "make_pictures: " << problem << '\n';
        return 1;
    }

    QList<QImage> sheetPictures;
    QList<QImage> doubled;
    for (int i = 0; i < int(app::Letters.size()); ++i) {
        const app::Letter &letter = app::Letters.at(i);
        const QString svg = drawingFile(twemoji, letter.wordEmoji);
        QSvgRenderer drawing(svg);
        if (!drawing.isValid()) {
            err << "make_pictures: cannot read the drawing " << svg << '\n';
            return 1;
        }
        const QString path = out.filePath(QString::fromUtf8(letter.stem) + u'.' +
                                          QLatin1String(letter.pictureExtension));
        const bool bitmap = std::strcmp(letter.pictureExtension, "bmp") == 0;
        const QImage image = drawPicture(letter, i, font, drawing, 1);
        // Bitmaps are written without alpha so they stay 24 bits per pixel.
        const bool written = bitmap ? image.convertToFormat(QImage::Format_RGB888).save(path, "BMP")
                                    : image.save(path, "JPEG", jpegQuality);
        if (!written) {
            err << "make_pictures: cannot write " << path << '\n';
            return 1;
        }
        if (sheets) {
            // Drawn, not read back: without the JPEG files' noise the sheet
            // packs to half the size.
            sheetPictures.append(image);
            // Two of the letters whose words the alphabet books start with.
            if (letter.number == 2 || letter.number == 4)
                doubled.append(drawPicture(letter, i, font, drawing, 2));
        }
    }
    if (sheets) {
        const struct {
            QString name;
            QImage image;
        } sheetFiles[] = {
            {QStringLiteral("letters.png"), contactSheet(sheetPictures, 4)},
            {QStringLiteral("letters-2x.png"), contactSheet(doubled, 2)},
        };
        for (const auto &sheet : sheetFiles) {
            const QString path = sheets->filePath(sheet.name);
            if (!sheet.image.save(path, "PNG")) {
                err << "make_pictures: cannot write " << path << '\n';
                return 1;
            }
        }
    }
    return 0;
}
