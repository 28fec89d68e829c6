// SPDX-License-Identifier: GPL-3.0-or-later
// The stored skin "Web-II" as the windows carry it: three copies of 249,097
// bytes, their content, and the rectangle rule over their tree.
#include "skin/skingeometry.h"
#include "skin/skinreader.h"
#include "skin/storedskin.h"
#include "skin/tools/skinwriter.h"
#include "tests/skin/skinprint.h"

#include <QTest>
#include <QtEndian>

#include <set>

namespace {

constexpr qint32 None = std::numeric_limits<qint32>::min();

// The window element and its tree, row by row.
struct Row {
    const char16_t *path;
    skin::ElementKind kind;
    qint32 type;
    skin::Rect anchors, offset, visual;
    qint32 blend;
    skin::Rect picture; // zero: no picture
};

using K = skin::ElementKind;
const Row formRows[] = {
    {u"Form",
     K::Window,
     None,
     {0, 0, 0, 0},
     {0, 0, 316, 195},
     {0, 0, 316, 195},
     0,
     {6, 48, 29, 52}},
    {u"Form/top_edge", K::Static, 0, {0, 0, 100, 0}, {0, 0, 0, 24}, {0, 0, 316, 24}, 1, {}},
    {u"Form/top_edge/SkinStatic Object[0]",
     K::Static,
     0,
     {0, 0, 0, 0},
     {0, 0, 24, 24},
     {0, 0, 24, 24},
     1,
     {0, 0, 27, 26}},
    {u"Form/top_edge/SkinStatic Object[0]/SkinStatic Object",
     K::Static,
     0,
     {0, 0, 0, 0},
     {9, 3, 24, 23},
     {9, 3, 24, 23},
     1,
     {23, 3, 28, 23}},
    {u"Form/top_edge/SysMenu", K::Button, 7, {0, 0, 0, 100}, {5, 3, 23, -2}, {5, 3, 23, 22}, 1, {}},
    {u"Form/top_edge/SkinStatic Object[1]",
     K::Static,
     0,
     {100, 0, 100, 100},
     {-9, 0, 0, 0},
     {307, 0, 316, 24},
     0,
     {286, 0, 295, 24}},
    {u"Form/top_edge/SkinStatic Object[2]",
     K::Static,
     -1000,
     {0, 0, 100, 100},
     {24, 0, -8, 0},
     {24, 0, 308, 24},
     0,
     {33, 0, 43, 24}},
    {u"Form/top_edge/SkinButton Object",
     K::Button,
     1,
     {100, 0, 100, 100},
     {-24, 0, -9, 0},
     {292, 0, 307, 24},
     0,
     {273, 0, 288, 24}},
    {u"Form/top_edge/MaxButton",
     K::Button,
     4,
     {100, 0, 100, 100},
     {-40, 0, -24, 0},
     {276, 0, 292, 24},
     0,
     {244, 0, 260, 24}},
    {u"Form/top_edge/MinButton",
     K::Button,
     5,
     {100, 0, 100, 100},
     {-55, 0, -40, 0},
     {261, 0, 276, 24},
     0,
     {259, 0, 274, 24}},
    {u"Form/bottom_edge",
     K::Static,
     0,
     {0, 100, 100, 100},
     {0, -24, 0, 0},
     {0, 171, 316, 195},
     1,
     {}},
    {u"Form/bottom_edge/SkinStatic Object[0]",
     K::Static,
     16,
     {0, 0, 0, 100},
     {0, 0, 14, 0},
     {0, 0, 14, 24},
     1,
     {0, 144, 14, 168}},
    {u"Form/bottom_edge/SkinStatic Object[1]",
     K::Static,
     2,
     {100, 0, 100, 100},
     {-140, 0, 0, 0},
     {176, 0, 316, 24},
     1,
     {155, 144, 295, 168}},
    {u"Form/bottom_edge/SkinStatic Object[2]",
     K::Static,
     15,
     {0, 0, 100, 100},
     {14, 0, -140, 0},
     {14, 0, 176, 24},
     1,
     {77, 144, 87, 168}},
    {u"Form/SkinStatic Object[0]",
     K::Static,
     10,
     {0, 0, 0, 100},
     {0, 24, 3, -24},
     {0, 24, 3, 171},
     0,
     {0, 67, 3, 81}},
    {u"Form/SkinStatic Object[1]",
     K::Static,
     11,
     {100, 0, 100, 100},
     {-3, 24, 0, -24},
     {313, 24, 316, 171},
     0,
     {292, 67, 295, 86}},
};

// The rectangle of the element at path when the window element is size.
skin::Rect rectAt(const skin::Skin &s, QStringView path, QSize size) {
    skin::Rect r{0, 0, size.width(), size.height()};
    QString walked;
    for (QStringView segment : path.tokenize(u'/')) {
        walked += (walked.isEmpty() ? QString() : QStringLiteral("/")) + segment.toString();
        const skin::Element *e = s.find(walked);
        if (walked != QStringLiteral("Form"))
            r = skin::elementRect(*e, {r.width(), r.height()});
    }
    return r;
}

int countElements(const skin::Element &e) {
    int n = 0;
    skin::forEachElement(e, [&n](const skin::Element &) { ++n; });
    return n;
}

std::set<int> alphaValues(const QImage &image) {
    std::set<int> alphas;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            alphas.insert(qAlpha(image.pixel(x, y)));
    return alphas;
}

bool holdsColour(const QImage &image, const skin::Rect &piece, QRgb colour) {
    for (int y = piece.top; y < piece.bottom; ++y)
        for (int x = piece.left; x < piece.right; ++x)
            if (image.pixel(x, y) == (colour | 0xFF000000))
                return true;
    return false;
}

} // namespace

class TestStoredSkin : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        for (int form = 1; form <= 3; ++form) {
            const QByteArray stream = skin::storedSkinStream(form);
            QCOMPARE(stream.size(), skin::StoredSkinSize);
            QCOMPARE(stream.size(), 249097);
            skin::ReadError error;
            std::optional<skin::Skin> s = skin::readSkinStream(stream, &error);
            QVERIFY2(s, qPrintable(error.message()));
            QCOMPARE(skin::writeSkinStream(*s), stream);
            copies_.append(*s);
        }
        QVERIFY(skin::storedSkinStream(0).isEmpty());
        QVERIFY(skin::storedSkinStream(4).isEmpty());
    }

    void treeHasTheStoredShape() {
        const skin::Skin &s = copies_[0];
        QCOMPARE(s.root.name(), QStringLiteral("Web-II"));
        QVERIFY(!s.root.tag());
        QStringList top;
        for (const skin::Element &e : s.root.children)
            top << e.name();
        QCOMPARE(top, (QStringList{"Form", "Button", "Radio", "Check", "Label", "HScrollBar",
                                   "VScrollBar", "Tab", "Frame", "MiscControls"}));
        QCOMPARE(countElements(s.root), 27);
        QVERIFY(s.root.children.back().children.empty());
        QCOMPARE(s.root.children.back().kind, skin::ElementKind::Misc);
        skin::forEachElement(s.root, [](const skin::Element &e) {
            QVERIFY(!e.tag());
            QCOMPARE(e.integer(u"m_bVisible"), std::optional<qint32>(1));
            QCOMPARE(e.integer(u"m_bAffectRegion"), std::optional<qint32>(0));
            QVERIFY(!e.text(u"m_bstrTooltip"));
        });
    }

    void controlSettingsAndImages() {
        const skin::Skin &s = copies_[0];
        QVERIFY(!*s.settings.get<skin::Text>(u"m_bstrAuthor"));
        QCOMPARE(*s.settings.get<skin::Text>(u"m_bstrDescription"), skin::Text(QString()));
        QVERIFY(s.settings.get<skin::Text>(u"m_bstrDescription")->has_value());
        QCOMPARE(*s.settings.get<skin::Text>(u"m_bstrApplication"),
                 skin::Text(QStringLiteral("Standard Skin")));
        QCOMPARE(s.settings.get<skin::ColourTriple>(u"m_BackColor")->rgb(), qRgb(0x05, 0x53, 0x7C));
        QCOMPARE(s.settings.get<skin::ColourTriple>(u"m_PanelTextColor")->rgb(),
                 qRgb(0xFE, 0xFF, 0xF2));
        QCOMPARE(s.settings.get<skin::ShortFlag>(u"m_bSkinClientArea")->value, 1);
        QCOMPARE(s.imageTableTag, 3u);
        QCOMPARE(s.afterImages, 0u);

        struct Expected {
            const char16_t *name;
            int width, height;
            std::set<int> alphas;
        };
        const Expected images[] = {{u"web.bmp", 295, 168, {0, 255}},
                                   {u"checkboxes.tga", 51, 34, {0, 211, 255}},
                                   {u"radiobuttons.tga", 64, 32, {0, 255}}};
        QCOMPARE(s.images.size(), 3);
        for (int i = 0; i < 3; ++i) {
            const skin::SkinImage &img = s.images[i];
            QCOMPARE(img.name, skin::Text(QString::fromUtf16(images[i].name)));
            const QImage image = img.toImage();
            QCOMPARE(image.size(), QSize(images[i].width, images[i].height));
            QCOMPARE(alphaValues(image), images[i].alphas);
            for (qsizetype p = 0; p < img.pixels.size(); p += 4) {
                if (img.pixels[p + 3] == 0)
                    QCOMPARE(qFromLittleEndian<quint32>(img.pixels.constData() + p), 0u);
            }
        }
    }

    void artworkHasTheMainColoursWhereElementsCut() {
        const QImage web = copies_[0].image(u"web.bmp")->toImage();
        QVERIFY(holdsColour(web, {33, 0, 43, 24}, 0x1D8EC0));
        QVERIFY(holdsColour(web, {33, 0, 43, 24}, 0x1B6086));
        QVERIFY(holdsColour(web, {0, 0, 27, 26}, 0xC0C0C0));
        QVERIFY(holdsColour(web, {273, 0, 288, 24}, 0xE6EBB8));
        QVERIFY(holdsColour(web, {119, 24, 144, 42}, 0x13445F));
        QVERIFY(holdsColour(web, {155, 57, 229, 77}, 0x1B6086));
        QVERIFY(holdsColour(web, {6, 48, 29, 52}, 0xA3A3A3));
        QVERIFY(holdsColour(web, {6, 48, 29, 52}, 0x8A8A8A));
        QVERIFY(holdsColour(web, {0, 67, 3, 81}, 0xFFFFFF));
        QVERIFY(holdsColour(web, {292, 67, 295, 86}, 0x000000));
        QVERIFY(holdsColour(web, {34, 70, 90, 92}, 0x00496B));
        QVERIFY(holdsColour(web, {20, 57, 105, 134}, 0x899BA3));
        QVERIFY(holdsColour(web, {20, 57, 105, 134}, 0x75878F));
        QVERIFY(qAlpha(web.pixel(0, 167)) == 0); // transparent corner of the bottom border
    }

    void windowTreeRows() {
        const skin::Skin &s = copies_[0];
        for (const Row &row : formRows) {
            const QString path = QString::fromUtf16(row.path);
            const skin::Element *e = s.find(path);
            QVERIFY2(e, qPrintable(path));
            QCOMPARE(e->kind, row.kind);
            if (row.type != None)
                QCOMPARE(e->type(), std::optional<qint32>(row.type));
            QCOMPARE(e->anchors(), row.anchors);
            QCOMPARE(e->offset(), row.offset);
            QCOMPARE(e->visualRect(), row.visual);
            QCOMPARE(e->integer(u"m_eBlendMode"), std::optional<qint32>(row.blend));
            const skin::Picture *picture =
                e->picture(row.kind == K::Button ? u"m_Normal" : u"m_Background");
            QVERIFY(picture);
            const skin::ImagePart part = picture->imagePart(0);
            QCOMPARE(part.source, row.picture);
            QCOMPARE(part.imageName,
                     row.picture.isZero() ? skin::Text() : skin::Text(QStringLiteral("web.bmp")));
            if (row.kind == K::Button) {
                QCOMPARE(e->text(u"m_bstrCaption"), skin::Text(QString()));
                for (const char16_t *state :
                     {u"m_Focused", u"m_Pressed", u"m_Disabled", u"m_Default", u"m_Highlighted"}) {
                    QVERIFY(!e->picture(state)->hasImage());
                    QCOMPARE(e->picture(state)->textStyle()->format, 5u);
                }
            }
        }
        const skin::Element *caption = s.find(u"Form/top_edge/SkinStatic Object[2]");
        QCOMPARE(caption->text(u"m_bstrCaption"), skin::Text(QStringLiteral("Form Preview")));
        QCOMPARE(caption->textStyle(u"m_TextStyle"),
                 std::optional<skin::TextStyle>({0, 0x00ECE9BB, 0xCC000000, 5}));
        QVERIFY(!s.find(u"Form/bottom_edge")->text(u"m_bstrCaption"));
        QCOMPARE(s.find(u"Form/bottom_edge")->integer(u"m_BackColor"), std::optional<qint32>(0));
        QCOMPARE(s.find(u"Form/SkinStatic Object[0]")->integer(u"m_BackColor"),
                 std::optional<qint32>(-1));
    }

    void windowFrameProperties() {
        const skin::Element *form = copies_[0].find(u"Form");
        QCOMPARE(form->rect(u"m_rcMargins"), std::optional<skin::Rect>({3, 24, 3, 24}));
        QCOMPARE(form->colourTriple(u"m_BackColor")->rgb(), qRgb(0, 0, 0));
        QCOMPARE(form->picture(u"m_Background")->layoutLength(), 20u);
        QCOMPARE(form->picture(u"m_ActiveFrame")->layoutLength(), 160u);
        QVERIFY(!form->picture(u"m_InactiveFrame")->hasImage());

        const skin::Picture *menuBar = form->picture(u"m_MenuBar");
        QCOMPARE(menuBar->layoutLength(), 252u);
        QCOMPARE(menuBar->imagePart(1).source, (skin::Rect{81, 71, 85, 92}));
        QCOMPARE(menuBar->imagePart(1).margins, std::optional<skin::Rect>({0, 1, 0, 2}));
        QCOMPARE(menuBar->imagePart(2).source, (skin::Rect{39, 98, 44, 119}));
        QCOMPARE(menuBar->textStyles()[2], (skin::TextStyle{2, 0x00FFFFFF, 0x00C80000, 5}));
        QCOMPARE(menuBar->colours(), (QList<quint32>{0xFF0A246A, 0xFF0A246A}));

        const skin::Picture *popup = form->picture(u"m_PopupMenu");
        QCOMPARE(popup->imagePart(0).margins, std::optional<skin::Rect>({1, 2, 1, 2}));
        QCOMPARE(popup->imagePart(1).source, (skin::Rect{237, 119, 258, 128}));
        QVERIFY(popup->imagePart(2).isEmpty());
        QCOMPARE(popup->textStyles()[0], (skin::TextStyle{0, 0x00DFE0B1, 0, 100}));
        QCOMPARE(popup->colours(), (QList<quint32>{0xFF0A246A, 0xFF000000}));
    }

    void controlElements() {
        const skin::Skin &s = copies_[0];
        const skin::Element *button = s.find(u"Button");
        const skin::Picture *focused = button->picture(u"m_Focused");
        QCOMPARE(focused->imagePart(0).source, (skin::Rect{34, 70, 90, 92}));
        QCOMPARE(focused->imagePart(0).margins, std::optional<skin::Rect>({6, 7, 5, 4}));
        QCOMPARE(focused->stateNumber(), std::optional<quint32>(300));
        QCOMPARE(focused->textStyle(),
                 std::optional<skin::TextStyle>({3, 0x00EAE6C8, 0x00FF0000, 5}));
        QCOMPARE(button->picture(u"m_Pressed")->imagePart(0).margins,
                 std::optional<skin::Rect>({7, 6, 3, 4}));
        QCOMPARE(button->picture(u"m_Disabled")->stateFlag(), std::optional<quint32>(0));
        QVERIFY(!button->picture(u"m_Default")->hasImage());
        QCOMPARE(button->text(u"m_bstrCaption"), skin::Text(QStringLiteral("SkinButton")));

        const skin::Element *check = s.find(u"Check");
        QCOMPARE(check->picture(u"m_GreyedSelected")->imagePart(0).imageName,
                 skin::Text(QStringLiteral("checkboxes.tga")));
        QCOMPARE(check->picture(u"m_GreyedSelected")->imagePart(0).source,
                 (skin::Rect{18, 18, 32, 32}));
        QCOMPARE(check->picture(u"m_Disabled")->stateNumber(), std::optional<quint32>(0));
        QCOMPARE(s.find(u"Radio")->picture(u"m_Disabled")->imagePart(0).source,
                 (skin::Rect{49, 1, 63, 15}));
        QCOMPARE(s.find(u"Radio")->picture(u"m_Disabled")->stateNumber(),
                 std::optional<quint32>(300));

        const skin::Element *vbar = s.find(u"VScrollBar");
        QCOMPARE(vbar->visualRect(), (skin::Rect{133, -80, 148, 39}));
        QCOMPARE(vbar->picture(u"m_Normal")->imagePart(3).source, (skin::Rect{266, 81, 277, 102}));
        QCOMPARE(vbar->picture(u"m_Normal")->imagePart(3).margins,
                 std::optional<skin::Rect>({0, 6, 0, 4}));
        QCOMPARE(vbar->integer(u"m_nPos"), std::optional<qint32>(4));
        QVERIFY(!vbar->picture(u"m_Pressed")->hasImage());

        const skin::Element *frame = s.find(u"Frame");
        QCOMPARE(frame->integer(u"m_eFrameBlendMode"), std::optional<qint32>(qint32(0xCDCDCDCD)));
        QCOMPARE(frame->integer(u"m_CaptionColor"), std::optional<qint32>(qint32(0xFF8B9FA3)));
        QCOMPARE(frame->picture(u"m_CaptionImage")->imagePart(0).margins,
                 std::optional<skin::Rect>({1, 0, 1, 0}));
        QCOMPARE(s.find(u"Frame/SkinStatic Object")->picture(u"m_Background")->imagePart(0).source,
                 (skin::Rect{37, 61, 61, 67}));
        QCOMPARE(s.find(u"Tab/SkinStatic Object")->integer(u"m_BackColor"),
                 std::optional<qint32>(qint32(0xFF000000)));
        QVERIFY(!s.find(u"Tab/SkinStatic Object")->text(u"m_bstrCaption"));

        const skin::Element *misc = s.find(u"MiscControls");
        QCOMPARE(misc->picture(u"m_Toolbar")->imagePart(0).flags, std::optional<quint32>(0x100));
        QCOMPARE(misc->picture(u"m_StatusBar")->imagePart(0).source, (skin::Rect{54, 3, 76, 13}));
        QCOMPARE(misc->picture(u"m_Frame")->imagePart(0).margins,
                 std::optional<skin::Rect>({2, 2, 2, 2}));
        QVERIFY(!misc->picture(u"m_StatusBarItem")->hasImage());
    }

    // Every stored m_rcVisual is the rule's result at the design size.
    void rectangleRuleReproducesEveryVisualRect() {
        const skin::Skin &s = copies_[0];
        int checked = 0;
        const auto check = [&](const auto &self, const skin::Element &e, QSize parent) -> void {
            const skin::Rect r = skin::elementRect(e, parent);
            QCOMPARE(r, e.visualRect());
            ++checked;
            for (const skin::Element &child : e.children)
                self(self, child, QSize(r.width(), r.height()));
        };
        for (const skin::Element &top : s.root.children)
            check(check, top, QSize(316, 195));
        QCOMPARE(checked, 27);
    }

    void windowOf400By300() {
        const QSize size(400, 300);
        const skin::Skin &s = copies_[0];
        QCOMPARE(rectAt(s, u"Form/top_edge", size), (skin::Rect{0, 0, 400, 24}));
        QCOMPARE(rectAt(s, u"Form/top_edge/SkinButton Object", size),
                 (skin::Rect{376, 0, 391, 24}));
        QCOMPARE(rectAt(s, u"Form/bottom_edge", size), (skin::Rect{0, 276, 400, 300}));
        QCOMPARE(rectAt(s, u"Form/SkinStatic Object[1]", size), (skin::Rect{397, 24, 400, 276}));
        QCOMPARE(rectAt(s, u"Form/SkinStatic Object[0]", size), (skin::Rect{0, 24, 3, 276}));
    }

    // The copies differ in their handles alone: non-zero exactly where a
    // slot names an image, and different from copy to copy.
    void copiesDifferOnlyInHandles() {
        QList<QList<quint32>> handles;
        for (const skin::Skin &copy : copies_) {
            QList<quint32> list;
            copy.forEachPicture([&list](const skin::Picture &p) {
                for (const skin::ImagePart &part : p.imageParts()) {
                    QCOMPARE(part.handle != 0, !part.isEmpty());
                    if (!part.isEmpty())
                        list.append(part.handle);
                }
            });
            handles.append(list);
        }
        QCOMPARE(handles[0].size(), handles[1].size());
        QVERIFY(handles[0].size() > 50);
        for (int i = 0; i < handles[0].size(); ++i) {
            QVERIFY(handles[0][i] != handles[1][i]);
            QVERIFY(handles[1][i] != handles[2][i]);
            QVERIFY(handles[0][i] != handles[2][i]);
        }
        QVERIFY(skin::storedSkinStream(1) != skin::storedSkinStream(2));
        QList<QByteArray> normalised;
        for (skin::Skin copy : copies_) {
            copy.assignHandles(1);
            normalised.append(skin::writeSkinStream(copy));
        }
        QCOMPARE(normalised[1], normalised[0]);
        QCOMPARE(normalised[2], normalised[0]);
        QCOMPARE(normalised[0].size(), 249097);
        QVERIFY(&skin::storedSkin() == &skin::storedSkin());
        QCOMPARE(skin::storedSkin(), copies_[0]);
    }

private:
    QList<skin::Skin> copies_;
};

QTEST_GUILESS_MAIN(TestStoredSkin)
#include "tst_storedskin.moc"
