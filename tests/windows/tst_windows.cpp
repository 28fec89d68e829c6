// SPDX-License-Identifier: GPL-3.0-or-later
// The program's three windows, row by row: their properties as a window
// system shows them, and every skin label drawing its whole caption,
// legibly, at the label's stored size.
#include "app/startup.h"
#include "skin/skincontrol.h"
#include "skin/skinlabel.h"
#include "skin/storedskin.h"
#include "tests/support/programwindows.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QTest>

namespace {

struct WindowRow {
    const char *window;
    const char *caption;
    QSize client; // pixels
    bool minimise;
    int skinCopy; // which copy of the stored skin it carries
    int labels;   // how many: none goes unchecked
};

const WindowRow Windows[] = {
    {"Form1", "برنامج: تعليم سنوميل", {600, 462}, true, 1, 0},
    {"Form2", "حول البرنامج", {262, 168}, false, 2, 8},
    {"Form3", "نشيد الحروف", {480, 405}, true, 3, 1},
};

void addRows() {
    QTest::addColumn<int>("row");
    for (const WindowRow &row : Windows)
        QTest::newRow(row.window) << int(&row - Windows);
}

} // namespace

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { app::prepareApplication(*qApp); }

    // Resizable, with a close button, a minimise button where the window
    // has one and no maximise button, the program icon, and centred on the
    // screen in the frame its skin puts around it.
    void windowProperties_data() { addRows(); }
    void windowProperties() {
        QFETCH(int, row);
        const WindowRow &expected = Windows[row];
        const std::unique_ptr<platform::Form> form = testing::makeWindow(expected.window);
        form->Show();
        QVERIFY(QTest::qWaitForWindowExposed(form->topLevel()));
        QWidget *window = form->window();
        QCOMPARE(window->windowTitle(), QString::fromUtf8(expected.caption));
        QCOMPARE(window->size(), expected.client);
        const Qt::WindowFlags flags = window->windowFlags();
        QCOMPARE(bool(flags & Qt::WindowMinimizeButtonHint), expected.minimise);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(window->minimumSize() != window->maximumSize());
        QVERIFY(window->windowIcon().availableSizes().contains(QSize(100, 150)));
        QWidget *top = form->topLevel();
        QCOMPARE(top->size(), expected.client + QSize(6, 48));
        const QRect screen = top->screen()->availableGeometry();
        QVERIFY(qAbs(top->geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(top->geometry().center().y() - screen.center().y()) <= 1);
        auto *skin = form->control<skin::SkinControl>("Skin1");
        QVERIFY(skin);
        QCOMPARE(skin->stream(), skin::storedSkinStream(expected.skinCopy));
        QVERIFY(!skin->isVisible());
    }

    void everyLabelDrawsItsWholeCaption_data() { addRows(); }
    void everyLabelDrawsItsWholeCaption() {
        QFETCH(int, row);
        const QByteArray window = Windows[row].window;
        const int count = Windows[row].labels;
        const std::unique_ptr<platform::Form> form = testing::makeWindow(window);
        form->Show();
        const QList<skin::SkinLabel *> labels = form->window()->findChildren<skin::SkinLabel *>();
        QCOMPARE(labels.size(), count);
        for (const skin::SkinLabel *label : labels) {
            const QString &caption = label->settings().caption;
            const skin::TextSample drawn = label->captionSample();
            QCOMPARE(drawn.text, caption);
            QCOMPARE(drawn.rect, label->rect());
            QVERIFY2(QFontMetrics(drawn.font).horizontalAdvance(caption) <= label->width(),
                     qPrintable(caption));
            // Legibly: at most a little narrower or smaller than stored.
            QVERIFY2(drawn.font.stretch() >= 85 || drawn.font.stretch() == QFont::AnyStretch,
                     qPrintable(caption));
            QVERIFY2(drawn.font.pointSizeF() >= 0.85 * label->settings().font.points,
                     qPrintable(caption));
        }
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
