// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "app/startup.h"
#include "tests/desktop/xsession.h"
#include "tests/support/fakes.h"
#include "tests/support/mediafiles.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <functional>
#include <thread>

namespace {

// Real input from a thread of its own, as from another program: the sound
// holds this one meanwhile. The thread is waited for when it goes.
std::jthread sendInput(std::function<void(monkey::XSession &)> input) {
    return std::jthread([input = std::move(input)] {
        monkey::XSession x;
        x.setPause([](int ms) { QThread::msleep(ms); });
        input(x);
    });
}

} // namespace

// Real X clicks while a real sound plays: the window keeps painting, takes
// no input until the sound has ended, and then handles the click that came.
class TestLessonInput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X display (scripts/test starts one)");
        if (qEnvironmentVariableIsEmpty("SNOMEL_TEST_SINK"))
            QSKIP("needs the test sound server (scripts/test starts one)");
        app::prepareApplication(*qApp);
    }

    void clickDuringASoundIsHandledAfterIt() {
        QTemporaryDir dir;
        QVERIFY(writeLetters(dir));
        testing::LessonServices services(dir.path(), /*forwardSound=*/true);
        testing::RecordingSound &sound = services.sound;

        app::Form1 form;
        form.Show();
        QVERIFY(QTest::qWaitForWindowExposed(form.window()));
        QVERIFY(QTest::qWaitForWindowActive(form.window()));

        const QPoint tha = centre(form.control("Command1"));
        const QPoint ba = centre(form.control("Command16"));
        // While the first sound plays, a timer still runs and the picture
        // area has already been painted with the letter's picture.
        QColor paintedDuringSound;
        QTimer look;
        look.setSingleShot(true);
        connect(&look, &QTimer::timeout, [&] {
            paintedDuringSound = form.control("Pic1")->grab().toImage().pixelColor(290, 160);
        });
        look.start(900);
        std::atomic<qint64> secondClickDone = -1;
        const std::jthread clicks = sendInput([&](monkey::XSession &x) {
            x.click(tha);
            QThread::msleep(600);
            x.click(ba);
            secondClickDone = sound.clock.elapsed();
        });
        QTRY_COMPARE_WITH_TIMEOUT(sound.calls.size(), 2, 15000);
        QTRY_COMPARE_WITH_TIMEOUT(sound.ends.size(), 2, 10000);

        QCOMPARE(sound.calls[0].name, (dir.path() + QStringLiteral("\\ث.wav")).toUtf8());
        QCOMPARE(sound.calls[1].name, (dir.path() + QStringLiteral("\\ب.wav")).toUtf8());
        QCOMPARE(sound.results, (QList<BOOL>{TRUE, TRUE}));
        QVERIFY2(sound.ends[0] - sound.starts[0] >= 1400,
                 qPrintable(QString::number(sound.ends[0] - sound.starts[0])));
        // The second click came while the first sound played, and was
        // handled only after it.
        QVERIFY(secondClickDone > 0 && secondClickDone < sound.ends[0]);
        QVERIFY2(sound.starts[1] >= sound.ends[0], qPrintable(QStringLiteral("%1-%2 %3-%4")
                                                                  .arg(sound.starts[0])
                                                                  .arg(sound.ends[0])
                                                                  .arg(sound.starts[1])
                                                                  .arg(sound.ends[1])));
        QCOMPARE(paintedDuringSound, QColor(250, 0, 0));
    }

    // A drag of the window by its caption while the sound plays waits with
    // the rest of the input, and reaches the frame once the button is up:
    // the window goes where it was let go, and not after the pointer.
    void dragDuringASoundEndsWhereItWasLetGo() {
        QTemporaryDir dir;
        QVERIFY(writeLetters(dir));
        testing::LessonServices services(dir.path(), /*forwardSound=*/true);

        app::Form1 form;
        form.Show();
        QWidget *frame = form.topLevel();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        QVERIFY(QTest::qWaitForWindowActive(frame));
        const QPoint start = frame->pos();
        const QPoint tha = centre(form.control("Command1"));
        const QPoint from = frame->mapToGlobal(QPoint(300, 10));
        const QPoint by(-70, 45);
        std::atomic<qint64> dragDone = -1;
        // A click, then a drag at a person's pace: press, two motions, release.
        const std::jthread input = sendInput([&](monkey::XSession &x) {
            x.click(tha);
            QThread::msleep(400);
            x.drag(from, from + by);
            dragDone = services.sound.clock.elapsed();
        });
        QTRY_COMPARE_WITH_TIMEOUT(services.sound.ends.size(), 1, 15000);
        QVERIFY(dragDone > 0 && dragDone < services.sound.ends[0]);
        monkey::XSession x;
        QString why;
        QVERIFY2(x.staysWhereLetGo(frame->winId(), start + by, &why), qPrintable(why));
    }

private:
    // ث with a long sound and ب with a short one, in dir.
    static bool writeLetters(const QTemporaryDir &dir) {
        return testing::writePicture(dir.filePath(QStringLiteral("ث.bmp")), {20, 20},
                                     QColor(250, 0, 0), "BMP") &&
               testing::writeFile(dir.filePath(QStringLiteral("ث.wav")), testing::toneWave(1500)) &&
               testing::writePicture(dir.filePath(QStringLiteral("ب.bmp")), {20, 20},
                                     QColor(0, 0, 250), "BMP") &&
               testing::writeFile(dir.filePath(QStringLiteral("ب.wav")), testing::toneWave(300));
    }
    static QPoint centre(QWidget *widget) { return widget->mapToGlobal(widget->rect().center()); }
};

QTEST_MAIN(TestLessonInput)
#include "tst_lesson_input.moc"
