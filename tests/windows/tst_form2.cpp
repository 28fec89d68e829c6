// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"
#include "platform/controls.h"
#include "platform/twips.h"
#include "skin/skinlabel.h"
#include "tests/support/fakes.h"
#include "tests/support/programtexts.h"
#include "tests/support/shellfakes.h"
#include "windows/author.h"
#include "windows/form2.h"
#include "windows/form2layout.h"

#include <QApplication>
#include <QGroupBox>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

using platform::twips::toPixels;

namespace {

struct Label {
    const char *name;
    int left, top, width;
    const char *caption; // nullptr: the implementer's value, checked apart
};

// From the top of the frame down.
const Label Labels[] = {
    {"SkinLabel1", 120, 240, 1815, "سنوميل"},
    {"SkinLabel2", 600, 600, 975, "برمجة وإعداد"},
    {"SkinLabel3", 360, 840, 1575, "الشيخ نوبلان الزنبوطي"},
    {"SkinLabel4", 480, 1080, 1215, nullptr},
    {"SkinLabel5", 240, 1320, 1695, "انتاج: 6/صفر/1429هج"},
    {"SkinLabel6", 120, 1560, 1815, "الموافق:14/فبراير/2008م"},
    {"SkinLabel7", 120, 1920, 1815, "راسلنا على العنوان التالي"},
    {"SkinLabel8", 120, 2160, 1815, windows::author::ContactAddress},
};

bool isArabicLetter(QChar c) {
    return c.unicode() >= 0x0621 && c.unicode() <= 0x064A;
}

} // namespace

class TestForm2 : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { app::prepareApplication(*qApp); }

    void frameAndLabels() {
        windows::Form2 form;
        form.Show();
        auto *frame = form.control<QGroupBox>("Frame2");
        QVERIFY(frame);
        QCOMPARE(frame->parentWidget(), form.window());
        QCOMPARE(frame->geometry(), toPixels(1800, 0, 2055, 2415));
        QVERIFY(frame->title().isEmpty());
        QCOMPARE(frame->palette().color(QPalette::WindowText), QColor(0, 64, 0));

        for (const Label &expected : Labels) {
            auto *label = form.control<skin::SkinLabel>(expected.name);
            QVERIFY2(label, expected.name);
            QCOMPARE(label->parentWidget(), frame);
            QCOMPARE(label->geometry(), toPixels(expected.left, expected.top, expected.width, 255));
            const skin::SkinLabelSettings &settings = label->settings();
            QCOMPARE(settings.first, -1);
            // The stored extent follows the size in twips, to the nearest unit.
            QCOMPARE(settings.extentWidth, skin::himetricFromTwips(expected.width));
            QCOMPARE(settings.extentHeight, 450);
            if (expected.caption)
                QCOMPARE(settings.caption, QString::fromUtf8(expected.caption));
            QCOMPARE(QString::fromUtf8(settings.font.face), QStringLiteral("MS Sans Serif"));
            QCOMPARE(settings.font.points, 8.25);
            QCOMPARE(settings.font.weight, 400);
            QCOMPARE(settings.font.charset, 178);
            QVERIFY(!settings.font.italic && !settings.font.underline && !settings.font.strikeout);
            QCOMPARE(settings.fifth, qstrcmp(expected.name, "SkinLabel1") == 0 ? 1 : 0);
            QCOMPARE(settings.sixth, 1);
        }
        QCOMPARE(form.control<skin::SkinLabel>("SkinLabel1")->settings().extentWidth, 3201);
        // The author's home: an Arabic town and country.
        const QString home = form.control<skin::SkinLabel>("SkinLabel4")->settings().caption;
        QVERIFY(!home.isEmpty());
        QVERIFY(std::all_of(home.begin(), home.end(), [](QChar c) {
            return isArabicLetter(c) || c == QLatin1Char(' ') || c == QLatin1Char('-');
        }));
        QCOMPARE(frame->findChildren<skin::SkinLabel *>().size(), 8);
    }

    // The program icon at its own size, from the top-left of the inside.
    void pictureShowsTheProgramIcon() {
        windows::Form2 form;
        form.Show();
        QVERIFY(QTest::qWaitForWindowExposed(form.topLevel()));
        auto *picture = form.control<platform::PictureBox>("Pictuer1");
        QVERIFY(picture);
        QCOMPARE(picture->geometry(), toPixels(120, 120, 1575, 2295));
        QCOMPARE(picture->toolTip(), QStringLiteral("حياك الله وبياك"));
        QCOMPARE(picture->cursor().shape(), Qt::WhatsThisCursor);
        QCOMPARE(picture->frameShadow(), QFrame::Sunken);
        const QImage icon = platform::programIconImage();
        QCOMPARE(icon.size(), QSize(100, 150));
        QCOMPARE(picture->picture(), icon);

        // The box's inside is 101 × 149 pixels: the icon's last row lies
        // under the border, as the box does not scale it.
        const QImage shown = picture->client()->grab().toImage().convertToFormat(icon.format());
        QCOMPARE(shown.size(), QSize(101, 149));
        QCOMPARE(shown.copy(0, 0, 100, 149), icon.copy(0, 0, 100, 149));
        // The picture is the first stop of the tab order.
        QCOMPARE(form.tabOrder().value(0), picture);
    }

    // Every click on the picture hands the personal page to the shell, with
    // the About window's own handle; clicks elsewhere do nothing.
    void pictureOpensThePersonalPage() {
        testing::RecordingShell shell;
        platform::Service<platform::Shell>::Fake installed(shell);
        windows::Form2 form;
        form.Show();
        QVERIFY(QTest::qWaitForWindowExposed(form.topLevel()));

        QTest::mouseClick(form.control("Frame2"), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(form.control("SkinLabel3"), Qt::LeftButton);
        QTest::mouseClick(form.window(), Qt::LeftButton, {}, QPoint(2, 160));
        QCOMPARE(shell.calls.size(), 0);

        auto *picture = form.control<platform::PictureBox>("Pictuer1");
        QTest::mouseClick(picture->client(), Qt::LeftButton, {}, QPoint(50, 50));
        QTest::mouseClick(picture->client(), Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(shell.calls.size(), 2);
        for (const testing::ShellCall &call : shell.calls)
            QCOMPARE(call, testing::openingPage(form.hWnd(), testing::PersonalPage));
    }

    // Offscreen there is no browser: the click returns and nothing of the
    // program's own shows.
    void noBrowserShowsNothing() {
        testing::RecordingMessageBox box;
        platform::Service<platform::MessageBoxService>::Fake installed(box);
        windows::Form2 form;
        form.Show();
        const QWidgetList before = QApplication::topLevelWidgets();
        form.Pictuer1_Click();
        QCoreApplication::processEvents();
        QCOMPARE(box.calls.size(), 0);
        QCOMPARE(QApplication::topLevelWidgets(), before);
        QVERIFY(form.isLoaded() && form.topLevel()->isVisible());
    }

    // Shown again while open: nothing loads. Closed and shown: it loads
    // afresh, centred again.
    void loadsOncePerShowAfterAClose() {
        windows::Form2 form;
        QSignalSpy loads(&form, &platform::Form::loaded);
        form.Show();
        QWidget *first = form.window();
        form.topLevel()->move(10, 10);
        form.Show();
        QCOMPARE(loads.size(), 1);
        QCOMPARE(form.window(), first);

        QSignalSpy unloads(&form, &platform::Form::unloaded);
        QVERIFY(form.topLevel()->close());
        QTRY_COMPARE(unloads.size(), 1);
        QVERIFY(!form.isLoaded());
        form.Show();
        QCOMPARE(loads.size(), 2);
        const QRect screen = form.topLevel()->screen()->availableGeometry();
        QVERIFY(qAbs(form.topLevel()->geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(form.control<skin::SkinLabel>("SkinLabel1"));
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
