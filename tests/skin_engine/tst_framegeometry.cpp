// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's geometry with no window at all: the stored skin's window
// element laid out at several sizes, with and without caption buttons, and
// which area each point falls on.
#include "skin/framegeometry.h"
#include "tests/skin_engine/skintestform.h"

#include <QTest>

using skin::CaptionButton;
using skin::CaptionButtons;
using skin::FrameGeometry;

namespace {

const CaptionButtons CloseOnly{CaptionButton::Close, CaptionButton::SystemMenu};
const CaptionButtons Minimisable{CaptionButton::Close, CaptionButton::Minimise,
                                 CaptionButton::SystemMenu};
const CaptionButtons Every{CaptionButton::Close, CaptionButton::Minimise, CaptionButton::Maximise,
                           CaptionButton::SystemMenu};

const QSize Sizes[] = {{406, 348}, {400, 300}, {700, 500}};

// The piece of a given element name and m_Type, by stream order.
QRect pieceRect(const FrameGeometry &frame, const QString &name, int type) {
    for (const skin::FramePiece &piece : frame.pieces()) {
        if (piece.element->name() == name && piece.element->type() == type)
            return piece.rect;
    }
    return {};
}

// A point given from the nearer corner: negative coordinates count from the
// right and bottom edges (−1 is the last pixel); Centre is the middle.
constexpr int Centre = 1 << 20;
QPoint at(QPoint where, QSize size) {
    const auto axis = [](int value, int extent) {
        return value == Centre ? extent / 2 : value < 0 ? extent + value : value;
    };
    return {axis(where.x(), size.width()), axis(where.y(), size.height())};
}

} // namespace

class TestFrameGeometry : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { art_ = testing::storedArt(); }

    void piecesFollowTheRuleAtEachSize() {
        for (const QSize size : Sizes) {
            const FrameGeometry frame(art_->form(), art_->frameMargins(), Minimisable, size);
            const int w = size.width();
            const int h = size.height();
            // Right and bottom of these rectangles are exclusive in the skin.
            QCOMPARE(frame.buttonRect(CaptionButton::Close),
                     QRect(QPoint(w - 24, 0), QSize(15, 24)));
            QCOMPARE(frame.buttonRect(CaptionButton::Minimise),
                     QRect(QPoint(w - 55, 0), QSize(15, 24)));
            QCOMPARE(frame.buttonRect(CaptionButton::SystemMenu), QRect(5, 3, 18, 19));
            QCOMPARE(pieceRect(frame, QStringLiteral("bottom_edge"), 0), QRect(0, h - 24, w, 24));
            QCOMPARE(pieceRect(frame, QStringLiteral("SkinStatic Object"), 11),
                     QRect(w - 3, 24, 3, h - 48));
            QCOMPARE(pieceRect(frame, QStringLiteral("SkinStatic Object"), 10),
                     QRect(0, 24, 3, h - 48));
            QCOMPARE(pieceRect(frame, QStringLiteral("SkinStatic Object"), 16),
                     QRect(0, h - 24, 14, 24));
            QCOMPARE(frame.clientArea(), QRect(3, 24, w - 6, h - 48));
            // Nothing outside the frame.
            QCOMPARE(frame.hitTest({-1, 10}), int(skin::HtNowhere));
            QCOMPARE(frame.hitTest({w, 10}), int(skin::HtNowhere));
            QCOMPARE(frame.hitTest({10, h}), int(skin::HtNowhere));
        }
        // At 400 × 300 the close button spans 376 to 391.
        const FrameGeometry small(art_->form(), art_->frameMargins(), CloseOnly, QSize(400, 300));
        QCOMPARE(small.buttonRect(CaptionButton::Close).left(), 376);
        QCOMPARE(small.buttonRect(CaptionButton::Close).right() + 1, 391);
    }

    void areasHaveTheirCodes_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("where");
        QTest::addColumn<int>("closeOnly");
        QTest::addColumn<int>("every");
        struct Row {
            const char *name;
            QPoint where;
            int closeOnly;
            int every;
        };
        using namespace skin;
        static const Row rows[] = {
            {"top left corner", {0, 0}, HtCaption, HtCaption},
            {"top right corner", {-1, 0}, HtCaption, HtCaption},
            {"bottom left corner", {0, -1}, HtBottomLeft, HtBottomLeft},
            // The skin makes its bottom right piece a caption.
            {"bottom right corner", {-1, -1}, HtCaption, HtCaption},
            {"bottom right piece", {-26, -8}, HtCaption, HtCaption},
            {"caption", {Centre, 10}, HtCaption, HtCaption},
            {"caption's left end", {2, 2}, HtCaption, HtCaption},
            {"left border", {1, Centre}, HtLeft, HtLeft},
            {"right border", {-2, Centre}, HtRight, HtRight},
            {"bottom", {Centre, -8}, HtBottom, HtBottom},
            {"bottom left", {5, -8}, HtBottomLeft, HtBottomLeft},
            {"client", {Centre, Centre}, HtClient, HtClient},
            {"close button", {-16, 12}, HtClose, HtClose},
            {"system menu button", {14, 12}, HtSysMenu, HtSysMenu},
            // Where a button the window lacks would be, the caption.
            {"minimise button", {-48, 12}, HtCaption, HtMinButton},
            {"maximise button", {-32, 12}, HtCaption, HtMaxButton},
        };
        for (const QSize size : Sizes)
            for (const Row &row : rows)
                QTest::addRow("%s, %d × %d", row.name, size.width(), size.height())
                    << size << at(row.where, size) << row.closeOnly << row.every;
    }
    void areasHaveTheirCodes() {
        QFETCH(QSize, size);
        QFETCH(QPoint, where);
        QFETCH(int, closeOnly);
        QFETCH(int, every);
        QCOMPARE(FrameGeometry(art_->form(), art_->frameMargins(), CloseOnly, size).hitTest(where),
                 closeOnly);
        QCOMPARE(FrameGeometry(art_->form(), art_->frameMargins(), Every, size).hitTest(where),
                 every);
    }

    void buttonsFollowTheWindowsOwn() {
        for (const QSize size : Sizes) {
            const FrameGeometry closeOnly(art_->form(), art_->frameMargins(), CloseOnly, size);
            QVERIFY(!closeOnly.hasButton(CaptionButton::Minimise));
            QVERIFY(closeOnly.buttonRect(CaptionButton::Minimise).isNull());
            QVERIFY(closeOnly.buttonRect(CaptionButton::Maximise).isNull());
            QVERIFY(closeOnly.hasButton(CaptionButton::Close));
            const FrameGeometry every(art_->form(), art_->frameMargins(), Every, size);
            QCOMPARE(every.buttonRect(CaptionButton::Maximise),
                     QRect(QPoint(size.width() - 40, 0), QSize(16, 24)));

            // The title keeps clear of the buttons shown and stays centred;
            // each button shown takes room from it.
            const QRect wide = closeOnly.captionTextRect();
            QVERIFY(!wide.intersects(closeOnly.buttonRect(CaptionButton::Close)));
            QCOMPARE(wide.left() + wide.width() / 2, size.width() / 2);
            QVERIFY(wide.width() > 200);
            const QRect narrow = every.captionTextRect();
            QVERIFY(!narrow.intersects(every.buttonRect(CaptionButton::Minimise)));
            QCOMPARE(narrow.left() + narrow.width() / 2, size.width() / 2);
            QVERIFY(narrow.width() < wide.width());
        }
        // No room for a title between the buttons: none.
        const FrameGeometry tight(art_->form(), art_->frameMargins(), Every, QSize(110, 100));
        QVERIFY(tight.captionTextRect().isNull());
    }

    void windowHintsGiveTheButtons() {
        const CaptionButtons plain = CaptionButtons::of(Qt::Window);
        QVERIFY(plain.contains(CaptionButton::Close));
        QVERIFY(plain.contains(CaptionButton::SystemMenu));
        QVERIFY(!plain.contains(CaptionButton::Minimise));
        QVERIFY(!plain.contains(CaptionButton::Maximise));
        const CaptionButtons minimisable =
            CaptionButtons::of(Qt::Window | Qt::WindowMinimizeButtonHint);
        QVERIFY(minimisable.contains(CaptionButton::Minimise));
        QVERIFY(!minimisable.contains(CaptionButton::Maximise));
        QVERIFY(CaptionButtons::of(Qt::WindowMaximizeButtonHint).contains(CaptionButton::Maximise));
    }

private:
    std::shared_ptr<const skin::SkinArt> art_;
};

QTEST_GUILESS_MAIN(TestFrameGeometry)
#include "tst_framegeometry.moc"
