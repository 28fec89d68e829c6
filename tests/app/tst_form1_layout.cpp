// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "app/form1layout.h"
#include "app/letters.h"
#include "app/startup.h"
#include "platform/controls.h"
#include "platform/fonts.h"
#include "platform/twips.h"
#include "tests/support/programtexts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <string_view>

using platform::twips::toPixels;

using testing::Command;

class TestForm1Layout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        app::prepareApplication(*qApp);
        form_.Show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.window()));
    }

    void containers() {
        auto *pic1 = form_.control<platform::PictureBox>("Pic1");
        auto *img1 = form_.control<platform::ImageControl>("Img1");
        auto *frame1 = form_.control<QGroupBox>("Frame1");
        QVERIFY(pic1 && img1 && frame1);
        QCOMPARE(pic1->geometry(), QRect(8, 8, 585, 337));
        QCOMPARE(frame1->geometry(), QRect(8, 344, 585, 113));
        QVERIFY(frame1->title().isEmpty());
        // The image lies inside the picture box's border, as large as the
        // box's outer size, empty and unstretched until the first letter.
        QCOMPARE(img1->parentWidget(), pic1->client());
        QCOMPARE(img1->geometry(), QRect(0, 0, 585, 337));
        QVERIFY(img1->picture().isNull());
        QVERIFY(!img1->stretch());
    }

    // Letters run from the top right, right to left, twelve to a row.
    void lettersStandInAlphabetOrder() {
        const QFont ownFont = platform::fontFrom({"Times New Roman", 12, 700, 178});
        for (const app::Letter &letter : app::Letters) {
            auto *button = form_.control<QPushButton>(letter.button);
            QVERIFY2(button, letter.button);
            QCOMPARE(button->parentWidget(), form_.control("Frame1"));
            const int column = (letter.number - 1) % 12, row = (letter.number - 1) / 12;
            QCOMPARE(button->geometry(),
                     QRect(toPixels(8040 - 720 * column), toPixels(240 + 480 * row), 41, 25));
            QCOMPARE(button->text(), QString::fromUtf8(letter.stem));
            QVERIFY(button->toolTip().isEmpty());
            QVERIFY(!button->testAttribute(Qt::WA_SetCursor));
            const bool defaultFont = letter.number == 26 || letter.number == 27;
            if (defaultFont) {
                QCOMPARE(button->font(), QApplication::font());
                QVERIFY(button->font().pointSizeF() < ownFont.pointSizeF());
            } else {
                // The stored face, drawn by the bundled family.
                QCOMPARE(button->font().family(), platform::bundledFontFamily());
                QCOMPARE(button->font().pointSizeF(), 12.0);
                QCOMPARE(button->font().weight(), QFont::Bold);
            }
        }
    }

    void commandRow() {
        for (const Command &command : testing::Commands) {
            auto *button = form_.control<QPushButton>(command.name);
            QVERIFY2(button, command.name);
            QCOMPARE(button->geometry(),
                     QRect(toPixels(command.left), toPixels(1200), toPixels(command.width), 25));
            QCOMPARE(button->text(), QString::fromUtf8(command.caption));
            QCOMPARE(button->toolTip(),
                     command.toolTip ? QString::fromUtf8(command.toolTip) : QString());
            QCOMPARE(button->cursor().shape(), command.cursor);
            QCOMPARE(button->font(), QApplication::font());
        }
    }

    // The stored faces are asked of the font database as the bundled family
    // itself, never by their own names, so no font falls back through the
    // system's font lists; a face the windows do not store keeps its name.
    void storedFacesMapOntoTheBundledFamily() {
        QCOMPARE(platform::familyForFace(u"Times New Roman"), platform::bundledFontFamily());
        QCOMPARE(platform::familyForFace(u"MS Sans Serif"), platform::bundledFontFamily());
        QCOMPARE(platform::familyForFace(u"ms sans serif"), platform::bundledFontFamily());
        QCOMPARE(platform::familyForFace(u"Tahoma"), QStringLiteral("Tahoma"));
        QCOMPARE(QApplication::font().family(), platform::bundledFontFamily());
        QCOMPARE(QApplication::font().pointSizeF(), 8.25);
        // A face named elsewhere still finds the bundled font.
        QCOMPARE(QFontInfo(QFont(QStringLiteral("Times New Roman"))).family(),
                 platform::bundledFontFamily());
    }

    // The bundled font is one for every script the program writes: the font
    // database counts it as Latin as well as Arabic (so a size is loaded
    // once, not once a script), and Latin text and digits come from it, not
    // from whatever the system falls back to.
    void bundledFontWritesArabicAndLatin() {
        const QList<QFontDatabase::WritingSystem> systems =
            QFontDatabase::writingSystems(platform::bundledFontFamily());
        QVERIFY(systems.contains(QFontDatabase::Arabic));
        QVERIFY(systems.contains(QFontDatabase::Latin));
        for (const bool bold : {false, true}) {
            QFont font(platform::bundledFontFamily());
            font.setBold(bold);
            const QFontMetrics metrics(font);
            for (const char32_t c : std::u32string_view(
                     U"Snomel 1.0.0.0 (c) \u00e9\u0627\u0644\u062d\u0631\u0648\u0641"))
                QVERIFY2(metrics.inFontUcs4(c), qPrintable(QString::number(uint(c), 16)));
            QCOMPARE(QFontInfo(font).family(), platform::bundledFontFamily());
            QCOMPARE(QFontInfo(font).bold(), bold);
        }
    }

    // Every caption is drawn in the bundled font, which has all its glyphs.
    void captionsHaveTheirGlyphs() {
        const QList<QPushButton *> buttons = form_.window()->findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 34);
        for (const QPushButton *button : buttons) {
            QCOMPARE(QFontInfo(button->font()).family(), platform::bundledFontFamily());
            const QFontMetrics metrics(button->font());
            for (const char32_t c : button->text().toUcs4())
                QVERIFY2(metrics.inFontUcs4(c), qPrintable(button->text()));
            QVERIFY(metrics.horizontalAdvance(button->text()) < button->width());
        }
    }

    void focusStartsOnThaAndTabFollowsTheTabIndexes() {
        QWidget *window = form_.window();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(QApplication::focusWidget(), form_.control("Command1"));
        for (int step = 1; step <= 35; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const char *expected = testing::TabOrder[step % 35];
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(expected));
        }
    }

    void resizingLaysNothingOutAgain() {
        QList<QRect> before;
        const QList<QWidget *> controls = form_.window()->findChildren<QWidget *>();
        for (const QWidget *control : controls)
            before.append(control->geometry());
        form_.window()->resize(900, 700);
        form_.window()->resize(300, 200);
        QCoreApplication::processEvents();
        for (qsizetype i = 0; i < controls.size(); ++i)
            QCOMPARE(controls[i]->geometry(), before[i]);
    }

private:
    app::Form1 form_;
};

QTEST_MAIN(TestForm1Layout)
#include "tst_form1_layout.moc"
