// SPDX-License-Identifier: GPL-3.0-or-later
// make_skin_art OUTPUT_DIR
//
// Draws the three images of the stored skin "Web-II" (our own artwork):
// web.png, a whole skinned sample window from which the skin's elements cut
// their pieces; checkboxes.png and radiobuttons.png, grids of 14 × 14 cells,
// one per state. Every piece an element uses is drawn at the rectangle the
// skin gives it. No antialiasing: alpha is 0 or 255 (and 211 for the greyed
// check boxes), and fully transparent pixels are black.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <set>

namespace {

// The skin's main colours.
const QColor captionLight(0x1D, 0x8E, 0xC0);
const QColor captionDark(0x1B, 0x60, 0x86);
const QColor silver(0xC0, 0xC0, 0xC0);
const QColor glyph(0xE6, 0xEB, 0xB8);
const QColor menuDark(0x13, 0x44, 0x5F);
const QColor stripeLight(0xA3, 0xA3, 0xA3);
const QColor stripeDark(0x8A, 0x8A, 0x8A);
const QColor buttonBlue(0x00, 0x49, 0x6B);
const QColor buttonEdge(0x00, 0x2A, 0x3E);
const QColor frameLight(0x89, 0x9B, 0xA3);
const QColor frameDark(0x75, 0x87, 0x8F);
const QColor captionText(0xBB, 0xE9, 0xEC);
const QColor frameField(0xE2, 0xEA, 0xEE);

// A rectangle as the skin gives it: left, top, right and bottom, the last
// two exclusive.
QRect piece(int left, int top, int right, int bottom) {
    return {left, top, right - left, bottom - top};
}

void hline(QPainter &p, int x0, int x1, int y, const QColor &c) {
    p.fillRect(x0, y, x1 - x0, 1, c);
}
void vline(QPainter &p, int x, int y0, int y1, const QColor &c) {
    p.fillRect(x, y0, 1, y1 - y0, c);
}

// Caption blue: light on top, dark below, between a white line on top and a
// silver and a black line at the bottom.
void drawCaptionStrip(QPainter &p, int x0, int x1) {
    hline(p, x0, x1, 0, Qt::white);
    p.fillRect(x0, 1, x1 - x0, 11, captionLight);
    p.fillRect(x0, 12, x1 - x0, 10, captionDark);
    hline(p, x0, x1, 22, silver);
    hline(p, x0, x1, 23, Qt::black);
}

// Three-pixel frame border: black outside, silver, white inside.
void drawVerticalBorder(QPainter &p, int x, int y0, int y1, bool leftSide) {
    const QColor order[3] = {Qt::black, silver, Qt::white};
    for (int i = 0; i < 3; ++i)
        vline(p, leftSide ? x + i : x + 2 - i, y0, y1, order[i]);
}

void drawCloseGlyph(QPainter &p, const QRect &r) {
    const int cx = r.left() + r.width() / 2;
    const int cy = 11;
    for (int d = -4; d <= 4; ++d) {
        p.fillRect(cx + d - 1, cy + d, 2, 1, glyph);
        p.fillRect(cx - d - 1, cy + d, 2, 1, glyph);
    }
}

void drawMaxGlyph(QPainter &p, const QRect &r) {
    const int x = r.left() + 3;
    const QRect box(x, 6, r.width() - 6, 10);
    p.fillRect(box.left(), box.top(), box.width(), 2, glyph);
    vline(p, box.left(), box.top(), box.bottom() + 1, glyph);
    vline(p, box.right(), box.top(), box.bottom() + 1, glyph);
    hline(p, box.left(), box.right() + 1, box.bottom(), glyph);
}

void drawMinGlyph(QPainter &p, const QRect &r) {
    p.fillRect(r.left() + 4, 14, r.width() - 8, 2, glyph);
}

void drawButton(QPainter &p, const QRect &r, bool pressed) {
    p.fillRect(r, buttonEdge);
    p.fillRect(r.adjusted(1, 1, -1, -1),
               pressed ? buttonEdge.lighter(130) : buttonBlue.lighter(140));
    p.fillRect(r.adjusted(2, 2, -2, -2), buttonBlue);
    if (pressed) {
        p.fillRect(r.adjusted(2, 2, -2, -r.height() + 4), buttonEdge);
        return;
    }
    // A soft light along the top edge, inside the top margin, so it stays
    // crisp however tall the button is stretched.
    for (int row = 0; row < 4; ++row)
        hline(p, r.left() + 2, r.right() - 2, r.top() + 2 + row,
              buttonBlue.lighter(135 - 10 * row));
}

QImage drawWeb() {
    QImage image(295, 168, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);

    // Grey striped client area.
    for (int y = 42; y < 144; ++y)
        hline(p, 3, 292, y, y % 2 == 0 ? stripeLight : stripeDark);

    // Menu bar: dark blue with a lighter line.
    p.fillRect(piece(0, 24, 295, 42), menuDark);
    hline(p, 0, 295, 24, captionDark);
    hline(p, 0, 295, 41, captionDark);
    p.fillRect(piece(125, 28, 140, 38), captionDark); // a highlighted menu title

    // Caption strip with its left corner, system-menu glyph, title area and
    // the minimise, maximise and close glyphs.
    drawCaptionStrip(p, 0, 295);
    p.fillRect(piece(0, 0, 3, 26), Qt::black);
    vline(p, 1, 1, 26, silver);
    vline(p, 2, 1, 26, Qt::white);
    hline(p, 0, 27, 24, Qt::black);
    hline(p, 0, 27, 25, silver);
    p.fillRect(piece(9, 5, 21, 19), glyph); // system-menu glyph
    p.fillRect(piece(11, 7, 19, 17), captionDark);
    p.fillRect(piece(23, 3, 28, 23), captionLight.darker(115));
    vline(p, 27, 3, 23, captionDark);
    // The title: a row of letter-like blocks (no fonts, so no antialiasing).
    for (int i = 0; i < 9; ++i)
        p.fillRect(48 + 8 * i, 8 + (i % 3 == 0 ? 0 : 2), 6, i % 3 == 0 ? 8 : 6, captionText);
    drawMaxGlyph(p, piece(244, 0, 260, 24));
    drawMinGlyph(p, piece(259, 0, 274, 24));
    drawCloseGlyph(p, piece(273, 0, 288, 24));
    p.fillRect(piece(286, 0, 295, 22), captionDark); // right end
    vline(p, 294, 0, 24, Qt::black);
    vline(p, 293, 1, 23, silver);

    // Toolbar and status-bar piece.
    p.fillRect(piece(54, 3, 76, 13), captionDark);
    hline(p, 54, 76, 3, silver);

    // Left and right borders.
    drawVerticalBorder(p, 0, 42, 144, true);
    drawVerticalBorder(p, 292, 42, 144, false);

    // The sample frame: grey-blue edge, caption band, blue inner field, and
    // the buttons inside it.
    const QRect frame = piece(20, 57, 105, 134);
    p.fillRect(frame, frameDark);
    p.fillRect(frame.adjusted(1, 1, -1, -1), frameLight);
    p.fillRect(piece(21, 62, 104, 64), frameDark); // caption band
    p.fillRect(piece(25, 66, 100, 130), buttonBlue);
    // The frame's inside: a pale field the dark buttons stand out on.
    p.fillRect(piece(37, 61, 61, 67), frameField);
    drawButton(p, piece(34, 70, 90, 92), false);
    drawButton(p, piece(33, 98, 89, 120), true);

    // A label and text boxes.
    p.fillRect(piece(120, 60, 200, 72), Qt::white);
    p.fillRect(piece(120, 80, 200, 92), Qt::white);
    p.fillRect(piece(121, 61, 199, 71), QColor(0xF0, 0xF0, 0xF0));

    // Pop-up menu.
    p.fillRect(piece(155, 57, 229, 77), menuDark);
    p.fillRect(piece(156, 59, 228, 75), captionDark);
    hline(p, 158, 226, 67, menuDark);

    // Scroll bars: arrows, tracks and thumbs.
    const QRect vTrack = piece(266, 62, 277, 114);
    p.fillRect(vTrack, frameDark);
    p.fillRect(piece(266, 62, 277, 74), buttonBlue);
    p.fillRect(piece(266, 102, 277, 114), buttonBlue);
    p.fillRect(piece(266, 76, 277, 79), frameLight);
    p.fillRect(piece(266, 81, 277, 102), captionDark);
    p.fillRect(piece(268, 66, 275, 70), glyph);
    p.fillRect(piece(268, 106, 275, 110), glyph);
    p.fillRect(piece(225, 118, 278, 129), frameDark);
    p.fillRect(piece(225, 118, 237, 129), buttonBlue);
    p.fillRect(piece(266, 118, 278, 129), buttonBlue);
    p.fillRect(piece(260, 118, 264, 129), frameLight);
    p.fillRect(piece(237, 118, 259, 129), captionDark);
    p.fillRect(piece(229, 121, 233, 126), glyph);
    p.fillRect(piece(270, 121, 274, 126), glyph);
    p.fillRect(piece(238, 120, 257, 127), menuDark); // pop-up highlight sample

    // Bottom border, rows 144 to 167: greys over a black edge, with a size
    // grip on the right and transparent outer corners.
    for (int y = 144; y < 168; ++y)
        hline(p, 0, 295, y, y < 146 ? silver : (y < 166 ? QColor(0x80, 0x80, 0x80) : Qt::black));
    hline(p, 0, 295, 167, Qt::black);
    p.fillRect(piece(0, 144, 3, 166), Qt::black);
    vline(p, 1, 144, 165, silver);
    p.fillRect(piece(292, 144, 295, 166), Qt::black);
    for (int i = 0; i < 4; ++i)
        p.fillRect(piece(270 + 5 * i, 160 - 5 * i, 274 + 5 * i, 164 - 5 * i), silver);
    p.fillRect(piece(77, 150, 87, 160), QColor(0x70, 0x70, 0x70));
    p.end();
    for (int i = 0; i < 4; ++i) {
        for (int x = 0; x < 4 - i; ++x) {
            image.setPixel(x, 164 + i, 0);
            image.setPixel(294 - x, 164 + i, 0);
        }
    }
    return image;
}

// A grid of 14 × 14 cells on a transparent ground.
QImage drawChecks() {
    QImage image(51, 34, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    struct Cell {
        int x, y;
        bool checked, greyed, highlighted;
    };
    const Cell cells[] = {{1, 1, false, false, false}, {1, 18, true, false, false},
                          {18, 1, false, true, false}, {18, 18, true, true, false},
                          {35, 1, false, false, true}, {35, 18, true, false, true}};
    for (const Cell &c : cells) {
        const int alpha = c.greyed ? 211 : 255;
        QColor edge = Qt::black;
        QColor field = c.highlighted ? glyph : Qt::white;
        if (c.greyed)
            field = silver;
        edge.setAlpha(alpha);
        field.setAlpha(alpha);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(c.x, c.y, 14, 14, edge);
        p.fillRect(c.x + 1, c.y + 1, 12, 12, field);
        if (c.checked) {
            QColor mark = buttonBlue;
            mark.setAlpha(alpha);
            for (int i = 0; i < 4; ++i)
                p.fillRect(c.x + 3 + i, c.y + 6 + i, 2, 2, mark);
            for (int i = 0; i < 5; ++i)
                p.fillRect(c.x + 6 + i, c.y + 8 - i, 2, 2, mark);
        }
    }
    return image;
}

QImage drawRadios() {
    QImage image(64, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    struct Cell {
        int x, y;
        bool selected;
        QColor field;
    };
    const Cell cells[] = {{1, 17, false, Qt::white},  {1, 1, true, Qt::white},
                          {17, 17, false, silver},    {17, 1, true, silver},
                          {33, 17, false, glyph},     {33, 1, true, glyph},
                          {49, 1, false, stripeLight}};
    for (const Cell &c : cells) {
        p.setPen(Qt::black);
        p.setBrush(c.field);
        p.drawEllipse(c.x, c.y, 13, 13);
        if (c.selected) {
            p.setPen(Qt::NoPen);
            p.setBrush(buttonBlue);
            p.drawEllipse(c.x + 4, c.y + 4, 6, 6);
        }
    }
    return image;
}

// Makes fully transparent pixels black and checks that only the allowed
// alpha values occur.
bool finish(QImage &image, const std::set<int> &alphas, const char *name) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) == 0)
                image.setPixel(x, y, 0);
            else if (!alphas.count(qAlpha(c))) {
                std::fprintf(stderr, "make_skin_art: %s has alpha %d at (%d, %d)\n", name,
                             qAlpha(c), x, y);
                return false;
            }
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_skin_art OUTPUT_DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    struct Output {
        const char *file;
        QImage image;
        std::set<int> alphas;
    };
    Output outputs[] = {{"web.png", drawWeb(), {0, 255}},
                        {"checkboxes.png", drawChecks(), {0, 211, 255}},
                        {"radiobuttons.png", drawRadios(), {0, 255}}};
    for (Output &o : outputs) {
        if (!finish(o.image, o.alphas, o.file))
            return 1;
        const QString path = dir.filePath(QString::fromLatin1(o.file));
        if (!o.image.save(path, "PNG")) {
            std::fprintf(stderr, "make_skin_art: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
