// SPDX-License-Identifier: GPL-3.0-or-later
// Lessons heard through the sound server's faults: a server that starts
// after the first lesson, one killed and started again between lessons, one
// killed while a lesson speaks. The test server (scripts/soundserver) is
// taken away and brought back as scripts/test starts it.
#include "app/form1.h"
#include "app/startup.h"
#include "tests/support/fakes.h"
#include "tests/support/lessonwindow.h"
#include "tests/support/mediafiles.h"
#include "tests/support/soundserver.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Two letters: a long one to be cut off, a short one to be heard.
constexpr int LongLetterMs = 6000;
constexpr int ShortLetterMs = 1000;
const char *const LongLetter = "Command1";   // ث
const char *const ShortLetter = "Command16"; // ب

} // namespace

class TestLessonSound : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!testing::usingTestSoundServer())
            QSKIP("needs the test sound server (scripts/test starts one)");
        app::prepareApplication(*qApp);
        QVERIFY(folder_.isValid());
        for (const auto &[stem, ms] :
             {std::pair{"ث", LongLetterMs}, std::pair{"ب", ShortLetterMs}}) {
            const QString name = folder_.filePath(QString::fromUtf8(stem));
            QVERIFY(testing::writePicture(name + QStringLiteral(".bmp"), {20, 20}, Qt::red, "BMP"));
            QVERIFY(testing::writeFile(name + QStringLiteral(".wav"), testing::toneWave(ms)));
        }
    }

    void init() {
        form_ = std::make_unique<app::Form1>();
        form_->Show();
    }
    void cleanup() { form_.reset(); }

    // The program's first lesson finds no server: silent, at once. The
    // server then starts, and the next lesson is heard. (First: the
    // process has played no sound before.)
    void aServerThatComesAfterTheFirstLessonIsHeard() {
        testing::SoundServerAway away;
        QVERIFY(away.isAway());
        press(ShortLetter);
        QCOMPARE(sound_.results.last(), FALSE);
        QVERIFY2(lastCallMs() < 1000, qPrintable(QString::number(lastCallMs())));
        QVERIFY(away.back());
        QVERIFY2(shortLetterHeard(), "the lesson after the server came is not heard");
    }

    // Killed and started again between lessons: the first lesson after it
    // is heard.
    void theFirstLessonAfterARestartIsHeard() {
        QVERIFY2(shortLetterHeard(), "not heard before the restart");
        {
            testing::SoundServerAway away;
            QVERIFY(away.isAway());
        }
        QVERIFY2(shortLetterHeard(), "the first lesson after the restart is not heard");
    }

    // Killed while a lesson speaks: the lesson ends as soon as the server
    // has gone, long before its sound would have, and the window goes on
    // with the next press; started again, the server is heard.
    void aLessonWhoseServerDiesEndsThen() {
        std::unique_ptr<testing::SoundServerAway> away;
        qint64 goneAt = -1;
        QTimer kill;
        kill.setSingleShot(true);
        connect(&kill, &QTimer::timeout, [&] {
            away = std::make_unique<testing::SoundServerAway>();
            goneAt = sound_.clock.elapsed();
        });
        kill.start(1000);
        press(LongLetter);
        QVERIFY(away && away->isAway());
        QCOMPARE(sound_.results.last(), FALSE);
        const qint64 endedAfterGone = sound_.ends.last() - goneAt;
        QVERIFY2(sound_.ends.last() - sound_.starts.last() < LongLetterMs && endedAfterGone < 1000,
                 qPrintable(QStringLiteral("lesson %1 ms, ended %2 ms after the server")
                                .arg(sound_.ends.last() - sound_.starts.last())
                                .arg(endedAfterGone)));
        press(ShortLetter);
        QCOMPARE(sound_.results.last(), FALSE);
        QVERIFY(away->back());
        QVERIFY2(shortLetterHeard(), "the lesson after the server came back is not heard");
    }

private:
    void press(const char *button) {
        testing::FixedFolder folder(folder_.path());
        const platform::Service<platform::ProgramFolder>::Fake folderFake(folder);
        const platform::Service<platform::SoundDevice>::Fake soundFake(sound_);
        testing::pressButton(*form_, button);
    }

    qint64 lastCallMs() const { return sound_.ends.last() - sound_.starts.last(); }

    // The short letter, pressed, reaches the sink whole.
    bool shortLetterHeard() {
        testing::SinkRecorder recorder;
        if (!recorder.started())
            return false;
        QTest::qWait(500); // until the recorder hears the sink
        press(ShortLetter);
        QTest::qWait(300);
        const int audible = testing::audibleMs(recorder.stop());
        qInfo("heard %d ms of a %d ms letter", audible, ShortLetterMs);
        return sound_.results.last() == TRUE && audible > ShortLetterMs * 9 / 10;
    }

    QTemporaryDir folder_;
    testing::RecordingSound sound_{/*forwardToReal=*/true};
    std::unique_ptr<app::Form1> form_;
};

QTEST_MAIN(TestLessonSound)
#include "tst_lesson_sound.moc"
