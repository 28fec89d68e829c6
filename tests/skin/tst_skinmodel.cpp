// SPDX-License-Identifier: GPL-3.0-or-later
// The element-rectangle rule and the model's queries: paths, typed
// properties, and the fields of every picture layout.
#include "skin/skingeometry.h"
#include "skin/skinmodel.h"
#include "tests/skin/skinprint.h"
#include "tests/skin/smallskin.h"

#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(skin::Rect)

class TestSkinModel : public QObject {
    Q_OBJECT

private slots:
    void anchorPositionFloors_data() {
        QTest::addColumn<int>("extent");
        QTest::addColumn<int>("anchor");
        QTest::addColumn<int>("expected");
        QTest::newRow("0 %") << 316 << 0 << 0;
        QTest::newRow("100 %") << 316 << 100 << 316;
        QTest::newRow("half of odd") << 101 << 50 << 50;
        QTest::newRow("a third, fraction .67") << 199 << 33 << 65;
        QTest::newRow("below one pixel") << 99 << 1 << 0;
        QTest::newRow("negative anchor floors down") << 101 << -50 << -51;
        QTest::newRow("over 100 %") << 10 << 150 << 15;
        QTest::newRow("saturates")
            << std::numeric_limits<int>::max() << 1000 << std::numeric_limits<int>::max();
        QTest::newRow("saturates low")
            << std::numeric_limits<int>::max() << std::numeric_limits<int>::min()
            << std::numeric_limits<int>::min();
    }

    void anchorPositionFloors() {
        QFETCH(int, extent);
        QFETCH(int, anchor);
        QFETCH(int, expected);
        QCOMPARE(skin::anchorPosition(extent, anchor), expected);
    }

    void elementRectFollowsTheParent() {
        // The close button of the caption strip keeps 9 pixels from the right.
        const skin::Rect anchors{100, 0, 100, 100};
        const skin::Rect offset{-24, 0, -9, 0};
        QCOMPARE(skin::elementRect(anchors, offset, {316, 24}), (skin::Rect{292, 0, 307, 24}));
        QCOMPARE(skin::elementRect(anchors, offset, {1000, 30}), (skin::Rect{976, 0, 991, 30}));
        // Offsets that would overflow saturate instead of wrapping.
        const skin::Rect far{std::numeric_limits<qint32>::max(), 0, 0, 0};
        QCOMPARE(skin::elementRect({100, 0, 0, 0}, far, {10, 10}).left,
                 std::numeric_limits<qint32>::max());
    }

    void findsElementsByPath() {
        skin::Skin s = skintest::smallSkin();
        s.root.children.push_back(s.root.children[0]); // a second "top_edge"
        QCOMPARE(s.root.name(), QStringLiteral("Tiny"));
        QCOMPARE(s.find(u"")->name(), QStringLiteral("Tiny"));
        QVERIFY(s.find(u"top_edge/corner"));
        QCOMPARE(s.find(u"top_edge/corner")->kind, skin::ElementKind::Static);
        QVERIFY(s.find(u"top_edge[1]/corner"));
        QVERIFY(s.find(u"top_edge[1]") != s.find(u"top_edge"));
        QVERIFY(!s.find(u"top_edge[2]"));
        QVERIFY(!s.find(u"top_edge/nothing"));
        QVERIFY(!s.find(u"top_edge[x]"));
        QCOMPARE(s.find(u"Radio")->kind, skin::ElementKind::Check);
    }

    void typedQueriesCheckTheEncoding() {
        const skin::Skin s = skintest::smallSkin();
        const skin::Element *edge = s.find(u"top_edge");
        QCOMPARE(edge->type(), std::optional<qint32>(2));
        QCOMPARE(edge->integer(u"m_BackColor"), std::optional<qint32>(-1));
        QCOMPARE(edge->anchors(), (skin::Rect{0, 0, 100, 0}));
        QCOMPARE(edge->visualRect(), (skin::Rect{0, 0, 316, 24}));
        QVERIFY(edge->isVisible());
        QCOMPARE(edge->textStyle(u"m_TextStyle")->secondColour, 0xCC000000u);
        // Asking for another encoding than the property has gives nothing.
        QVERIFY(!edge->integer(u"m_bstrCaption"));
        QVERIFY(!edge->picture(u"m_Type"));
        QVERIFY(!edge->integer(u"m_NoSuchProperty"));
        QCOMPARE(s.settings.get<skin::ColourTriple>(u"m_BackColor")->rgb(), qRgb(0x05, 0x53, 0x7C));
    }

    void pictureLayoutsPlaceTheirFields() {
        // 72 bytes: part, margins, flags, state flag and number, text style.
        skin::Picture state = skin::Picture::empty(72);
        QCOMPARE(state.slotNames().size(), 1);
        for (int w = 0; w < 18; ++w)
            state.setWord(w, quint32(100 + w));
        skin::ImagePart part = state.imagePart(0);
        QCOMPARE(part.handle, 100u);
        QCOMPARE(part.source, (skin::Rect{101, 102, 103, 104}));
        QCOMPARE(part.margins, std::optional<skin::Rect>({105, 106, 107, 108}));
        QCOMPARE(part.flags, std::optional<quint32>(109));
        QCOMPARE(state.stateFlag(), std::optional<quint32>(110));
        QCOMPARE(state.stateNumber(), std::optional<quint32>(113));
        QCOMPARE(state.textStyle(), std::optional<skin::TextStyle>({114, 115, 116, 117}));

        // 120 bytes: slots are groups 1, 2, 3 and 5; group 4 is not a part.
        skin::Picture bar = skin::Picture::empty(120);
        QCOMPARE(bar.slotNames().size(), 4);
        for (int w = 0; w < 30; ++w)
            bar.setWord(w, quint32(w));
        QCOMPARE(bar.imagePart(2).source, (skin::Rect{11, 12, 13, 14}));
        QCOMPARE(bar.imagePart(3).source, (skin::Rect{21, 22, 23, 24}));
        QCOMPARE(bar.imagePart(3).margins, std::optional<skin::Rect>({25, 26, 27, 28}));
        QVERIFY(!bar.layout()->isKnownWord(15));
        QVERIFY(!bar.layout()->isKnownWord(29));

        // The menu layouts: text styles and single colours.
        skin::Picture menuBar = skin::Picture::empty(252);
        for (int w = 0; w < 63; ++w)
            menuBar.setWord(w, quint32(w));
        QCOMPARE(menuBar.textStyles().size(), 4);
        QCOMPARE(menuBar.textStyles()[3], (skin::TextStyle{37, 38, 39, 40}));
        QCOMPARE(menuBar.colours(), (QList<quint32>{41, 42}));
        QCOMPARE(menuBar.imagePart(1).source, (skin::Rect{44, 45, 46, 47}));
        QCOMPARE(menuBar.imagePart(2).flags, std::optional<quint32>(62));
        skin::Picture popup = skin::Picture::empty(236);
        for (int w = 0; w < 59; ++w)
            popup.setWord(w, quint32(w));
        QCOMPARE(popup.textStyles().size(), 3);
        QCOMPARE(popup.colours(), (QList<quint32>{37, 48}));
        QCOMPARE(popup.imagePart(1).margins, std::optional<skin::Rect>({43, 44, 45, 46}));

        // A length no layout defines keeps its bytes but places no part.
        const skin::Picture odd(QByteArray(7, '\x05'), {QStringLiteral("x.bmp")});
        QVERIFY(!odd.layout());
        QVERIFY(odd.imagePart(0).source.isZero());
        QCOMPARE(odd.imagePart(0).imageName, skin::Text(QStringLiteral("x.bmp")));
    }

    void imagesKeepTheirPixels() {
        QImage image(3, 2, QImage::Format_ARGB32);
        image.fill(qRgba(0x10, 0x20, 0x30, 211));
        image.setPixel(0, 0, qRgba(0x55, 0x66, 0x77, 0)); // transparent: stored black
        const skin::SkinImage s = skin::SkinImage::fromImage(image, QStringLiteral("c.tga"));
        QCOMPARE(s.pixels.size(), 24);
        QCOMPARE(s.pixels.left(8), QByteArray("\0\0\0\0\x30\x20\x10\xd3", 8));
        const QImage back = s.toImage();
        QCOMPARE(back.pixel(0, 0), 0u);
        QCOMPARE(back.pixel(2, 1), qRgba(0x10, 0x20, 0x30, 211));
    }
};

QTEST_GUILESS_MAIN(TestSkinModel)
#include "tst_skinmodel.moc"
