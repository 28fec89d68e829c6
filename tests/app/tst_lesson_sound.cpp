// SPDX-License-Identifier: GPL-3.0-or-later
// Lessons heard through the sound server's faults: a server that starts
// after the first lesson, one killed and started again between lessons, one
// killed while a lesson speaks. The test server (scripts/soundserver) is
// taken away and brought back as scripts/test starts it.
#include "app/startup.h"
#include "tests/support/lessonwindow.h"
#include "tests/support/soundserver.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace {

// Two letters: a long one to be cut off, a short one to be heard.
constexpr int LongLetterMs = 6000;
constexpr int ShortLetterMs = 1000;
const app::Letter &LongLetter = app::Letters[3];  // ث
const app::Letter &ShortLetter = app::Letters[1]; // ب

} // namespace

class TestLessonSound : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!testing::usingTestSoundServer())
            QSKIP("needs the test sound server (scripts/test starts one)");
        app::prepareApplication(*qApp);
    }

    void init() {
        lesson_ = std::make_unique<testing::LessonWindow>(/*forwardSound=*/true);
        QVERIFY(lesson_->isValid());
        QVERIFY(lesson_->writeLetter(LongLetter, {20, 20}, Qt::red, LongLetterMs));
        QVERIFY(lesson_->writeLetter(ShortLetter, {20, 20}, Qt::red, ShortLetterMs));
    }
    void cleanup() { lesson_.reset(); }

    // The program's first lesson finds no server: silent, at once. The
    // server then starts, and the next lesson is heard. (First: the
    // process has played no sound before.)
    void aServerThatComesAfterTheFirstLessonIsHeard() {
        testing::SoundServerAway away;
        QVERIFY(away.isAway());
        press(ShortLetter);
        QCOMPARE(sound().results.last(), FALSE);
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
            goneAt = sound().clock.elapsed();
        });
        kill.start(1000);
        press(LongLetter);
        QVERIFY(away && away->isAway());
        QCOMPARE(sound().results.last(), FALSE);
        const qint64 endedAfterGone = sound().ends.last() - goneAt;
        QVERIFY2(lastCallMs() < LongLetterMs && endedAfterGone < 1000,
                 qPrintable(QStringLiteral("lesson %1 ms, ended %2 ms after the server")
                                .arg(lastCallMs())
                                .arg(endedAfterGone)));
        press(ShortLetter);
        QCOMPARE(sound().results.last(), FALSE);
        QVERIFY(away->back());
        QVERIFY2(shortLetterHeard(), "the lesson after the server came back is not heard");
    }

private:
    void press(const app::Letter &letter) { lesson_->press(letter.button); }
    const testing::RecordingSound &sound() const { return lesson_->sound; }
    qint64 lastCallMs() const { return sound().ends.last() - sound().starts.last(); }

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
        return sound().results.last() == TRUE && audible > ShortLetterMs * 9 / 10;
    }

    std::unique_ptr<testing::LessonWindow> lesson_;
};

QTEST_MAIN(TestLessonSound)
#include "tst_lesson_sound.moc"
