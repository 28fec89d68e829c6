// SPDX-License-Identifier: GPL-3.0-or-later
// The pixels of a skinned window come from the skin's art where the skin
// says: caption strip, caption buttons, borders, background, buttons and
// frames. Run at device pixel ratio 1 and (QT_SCALE_FACTOR=2) at 2, where
// every skin pixel must become a whole block of one colour.
#include "tests/skin_engine/skintestform.h"

#include <QPainter>
#include <QPushButton>
#include <QTest>

namespace {

class Grab {
public:
    explicit Grab(QWidget *widget) : image_(testing::grabImage(widget)) {
        dpr_ = qRound(image_.devicePixelRatio());
    }
    int dpr() const { return dpr_; }
    // Every device pixel of a logical pixel, which must all be the same.
    QRgb at(int x, int y) const {
        const QRgb first = image_.pixel(x * dpr_, y * dpr_);
        for (int j = 0; j < dpr_; ++j)
            for (int i = 0; i < dpr_; ++i)
                if (image_.pixel(x * dpr_ + i, y * dpr_ + j) != first)
                    return 0x01020304; // not crisp: never an art colour
        return first;
    }
    bool near(int x, int y, QColor colour, int tolerance) const {
        const QColor c(image_.pixel(x * dpr_, y * dpr_));
        return qAbs(c.red() - colour.red()) <= tolerance &&
               qAbs(c.green() - colour.green()) <= tolerance &&
               qAbs(c.blue() - colour.blue()) <= tolerance;
    }

private:
    QImage image_;
    int dpr_;
};

// Compares a logical area of the grab, pixel for pixel, with an area of the
// art of the same size.
#define COMPARE_PIECE(grab, where, art, source)                                                    \
    do {                                                                                           \
        for (int dy = 0; dy < (source).height(); ++dy)                                             \
            for (int dx = 0; dx < (source).width(); ++dx)                                          \
                if ((grab).at((where).x() + dx, (where).y() + dy) !=                               \
                    (art).pixel((source).x() + dx, (source).y() + dy))                             \
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) of the piece at (%3, %4)")     \
                                         .arg(dx)                                                  \
                                         .arg(dy)                                                  \
                                         .arg((where).x())                                         \
                                         .arg((where).y())));                                      \
    } while (false)

bool columnIsUniform(const QImage &art, int x, int top, int bottom) {
    for (int y = top; y < bottom; ++y)
        if (art.pixel(x, y) != art.pixel(x, top))
            return false;
    return true;
}

} // namespace

class TestSkinPixels : public QObject {
    Q_OBJECT
private slots:
    void init() {
        form_ = std::make_unique<testing::SkinTestForm>(testing::MinimisableSpec);
        form_->Show();
        QVERIFY(form_->frame());
        QVERIFY(QTest::qWaitForWindowActive(form_->frame()));
        QCOMPARE(form_->frame()->size(), QSize(406, 348));
    }
    void cleanup() { form_.reset(); }

    void frameComesFromTheArt() {
        const QImage art = testing::webArt();
        const Grab grab(form_->frame());
        const int w = 406, h = 348;
        // Caption buttons: close and minimise, one to one.
        COMPARE_PIECE(grab, QPoint(w - 24, 0), art, QRect(273, 0, 15, 24));
        COMPARE_PIECE(grab, QPoint(w - 55, 0), art, QRect(259, 0, 15, 24));
        // The caption strip (33..43) is the same in every column: stretched,
        // each row keeps its colour.
        for (int y = 0; y < 24; ++y) {
            QVERIFY(art.pixel(33, y) == art.pixel(42, y));
            QCOMPARE(grab.at(30, y), art.pixel(33, y));
            QCOMPARE(grab.at(w - 60, y), art.pixel(33, y));
        }
        // The right end of the strip, one to one, but for its first column,
        // which the caption strip, drawn after it, covers.
        COMPARE_PIECE(grab, QPoint(w - 8, 0), art, QRect(287, 0, 8, 24));
        // Side borders: three columns of the art, stretched down.
        for (int x = 0; x < 3; ++x) {
            QVERIFY(columnIsUniform(art, x, 67, 81));
            QVERIFY(columnIsUniform(art, 292 + x, 67, 86));
            for (int y : {24, 100, h - 25}) {
                QCOMPARE(grab.at(x, y), art.pixel(x, 70));
                QCOMPARE(grab.at(w - 3 + x, y), art.pixel(292 + x, 70));
            }
        }
        // Bottom corners, one to one (transparent parts show the frame's
        // black, which is what the art stores there).
        COMPARE_PIECE(grab, QPoint(0, h - 24), art, QRect(0, 144, 14, 24));
        COMPARE_PIECE(grab, QPoint(w - 140, h - 24), art, QRect(155, 144, 140, 24));
    }

    void titleIsWrittenInTheCaptionTextColour() {
        const Grab grab(form_->frame());
        const QRect text = form_->frame()->captionTextRect();
        int inColour = 0;
        for (int y = text.top(); y <= text.bottom(); ++y)
            for (int x = text.left(); x <= text.right(); ++x)
                inColour += grab.near(x, y, QColor(0xEC, 0xE9, 0xBB), 12);
        QVERIFY2(inColour >= 10, qPrintable(QString::number(inColour)));
    }

    void backgroundIsTheWindowPictureTiled() {
        const QImage art = testing::webArt();
        const Grab grab(form_->frame());
        // Rows of stripes, four to a tile, from the top of the client area.
        for (int y = 250; y < 258; ++y)
            for (int x : {300, 301, 340, 395}) {
                QCOMPARE(grab.at(3 + x, 24 + y), art.pixel(6 + x % 23, 48 + y % 4));
            }
    }

    void buttonsComeFromTheirState() {
        const QImage art = testing::webArt();
        QWidget *button = form_->control("Command1"); // client (10, 10), 80 × 30
        const QPoint at = button->mapTo(form_->frame(), QPoint(0, 0));
        {
            const Grab grab(form_->frame());
            // Corners of m_Normal (margins 6, 7, 5, 4) stay as they are.
            COMPARE_PIECE(grab, at, art, QRect(34, 70, 6, 7));
            COMPARE_PIECE(grab, at + QPoint(75, 26), art, QRect(85, 88, 5, 4));
        }
        QTest::mousePress(button, Qt::LeftButton);
        {
            const Grab grab(form_->frame());
            // m_Pressed, margins 7, 6, 3, 4.
            COMPARE_PIECE(grab, at, art, QRect(33, 98, 7, 6));
            COMPARE_PIECE(grab, at + QPoint(77, 26), art, QRect(86, 116, 3, 4));
        }
        QTest::mouseRelease(button, Qt::LeftButton);
    }

    void buttonTextTakesItsStatesColour() {
        // A full block: its middle is the text colour itself.
        auto *button = form_->control<QPushButton>("Command2");
        button->setText(QStringLiteral("█"));
        QFont font = button->font();
        font.setPixelSize(16);
        button->setFont(font);
        const auto middle = [&] {
            const Grab grab(button);
            return QColor(grab.at(button->width() / 2, button->height() / 2));
        };
        QVERIFY(!button->hasFocus());
        QCOMPARE(middle(), QColor(0xEC, 0xE9, 0xBB)); // m_Normal
        button->setFocus();
        QCOMPARE(middle(), QColor(0xEA, 0xE6, 0xC8)); // m_Focused
        button->setDown(true);
        QCOMPARE(middle(), QColor(0xEC, 0xE9, 0xBB)); // m_Pressed
        button->setDown(false);
        button->clearFocus();
        button->setAttribute(Qt::WA_UnderMouse, true);
        QCOMPARE(middle(), QColor(0xFF, 0xFF, 0xFF)); // m_Highlighted, 0xBBFFFFFF
        button->setAttribute(Qt::WA_UnderMouse, false);
        button->setEnabled(false);
        QCOMPARE(middle(), QColor(0xA9, 0xA9, 0x96)); // m_Disabled
    }

    void frameDrawsItsBorderAndItsChild() {
        const QImage art = testing::webArt();
        QWidget *frame = form_->control("Frame1"); // client (10, 60), 200 × 100
        const QPoint at = frame->mapTo(form_->frame(), QPoint(0, 0));
        const Grab grab(form_->frame());
        // m_Frame's corner (margins 1, 1, 1, 1) and its edges.
        QCOMPARE(grab.at(at.x(), at.y()), art.pixel(20, 57));
        QCOMPARE(grab.at(at.x() + 199, at.y() + 99), art.pixel(104, 133));
        QVERIFY(columnIsUniform(art, 20, 58, 133));
        QCOMPARE(grab.at(at.x(), at.y() + 50), art.pixel(20, 90));
        // The child element at (1, 19, -1, -1): its picture (37, 61, 61, 67)
        // stretched over the inside. Look at rows the child button leaves.
        const QRgb inside = art.pixel(40, 64);
        QVERIFY(art.pixel(37, 61) == inside && art.pixel(60, 66) == inside);
        for (const QPoint p : {QPoint(1, 19), QPoint(198, 98), QPoint(150, 80), QPoint(5, 90)})
            QCOMPARE(grab.at(at.x() + p.x(), at.y() + p.y()), inside);
    }

    // A border is the whole nine-piece picture without its centre: the same
    // pixels round the edge, whatever was under the centre left alone. Odd,
    // unequal margins and a stretch in both directions catch a piece off by
    // one.
    void borderIsThePictureWithoutItsCentre() {
        QString error;
        const auto art = skin::SkinArt::read(skin::storedSkinStream(1), &error);
        QVERIFY2(art, qPrintable(error));
        skin::ImagePart part;
        part.imageName = QStringLiteral("web.bmp");
        part.source = {3, 2, 61, 47};
        part.margins = skin::Rect{5, 7, 11, 3};
        const QRect target(4, 6, 173, 91);
        const QMargins margins(5, 7, 11, 3);
        const QColor under(0x12, 0x34, 0x56);
        QImage whole(190, 110, QImage::Format_RGB32), border(whole.size(), QImage::Format_RGB32);
        whole.fill(under);
        border.fill(under);
        {
            QPainter painter(&whole);
            art->draw(painter, target, part, skin::Blend::Opaque);
        }
        {
            QPainter painter(&border);
            art->drawBorder(painter, target, part, skin::Blend::Opaque);
        }
        const QRect inside = target.marginsRemoved(margins);
        for (int y = 0; y < whole.height(); ++y) {
            for (int x = 0; x < whole.width(); ++x) {
                const QRgb expected = inside.contains(x, y) ? under.rgb() : whole.pixel(x, y);
                if (border.pixel(x, y) != expected)
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2)").arg(x).arg(y)));
            }
        }
    }

private:
    std::unique_ptr<testing::SkinTestForm> form_;
};

QTEST_MAIN(TestSkinPixels)
#include "tst_skinpixels.moc"
