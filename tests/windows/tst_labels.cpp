// SPDX-License-Identifier: GPL-3.0-or-later
// Every skin label of every window draws its whole caption, legibly, at the
// label's stored size.
#include "app/startup.h"
#include "skin/skinlabel.h"
#include "tests/support/programwindows.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTest>

namespace {

struct WindowLabels {
    const char *window;
    int labels;
};

// How many labels each window holds: none goes unchecked.
const WindowLabels Windows[] = {{"Form1", 0}, {"Form2", 8}, {"Form3", 1}};

} // namespace

class TestLabels : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { app::prepareApplication(*qApp); }

    void everyLabelDrawsItsWholeCaption_data() {
        QTest::addColumn<QByteArray>("window");
        QTest::addColumn<int>("count");
        for (const WindowLabels &labels : Windows)
            QTest::newRow(labels.window) << QByteArray(labels.window) << labels.labels;
    }
    void everyLabelDrawsItsWholeCaption() {
        QFETCH(QByteArray, window);
        QFETCH(int, count);
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

QTEST_MAIN(TestLabels)
#include "tst_labels.moc"
