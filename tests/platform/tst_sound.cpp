// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/codepage.h"
#include "platform/sound.h"
#include "tests/support/mediafiles.h"
#include "tests/support/soundserver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

constexpr int Rate = testing::SinkRecorder::Rate;

// Sign changes per second over the audible stretch: twice the frequency.
int zeroCrossingsPerSecond(const QList<qint16> &samples) {
    const auto [first, last] = testing::audibleStretch(samples);
    if (last <= first)
        return 0;
    int crossings = 0;
    for (qsizetype i = first + 1; i <= last; ++i)
        crossings += (samples[i - 1] < 0) != (samples[i] < 0);
    return static_cast<int>(qint64(crossings) * Rate / (last - first));
}

} // namespace

class TestSound : public QObject {
    Q_OBJECT
private slots:
    void init() {
        if (!testing::usingTestSoundServer())
            QSKIP("no test sound server (scripts/test starts one)");
        QVERIFY(dir_.isValid());
    }

    // The synchronous call returns when the sound has ended; everything of
    // the clip reaches the sink, once, even though the flags ask for a loop.
    void synchronousPlayReturnsWhenTheWholeClipHasPlayed() {
        const QString path = dir_.filePath(QStringLiteral("ث.wav"));
        QVERIFY(testing::writeFile(path, testing::toneWave(1000, 440, Rate)));
        testing::SinkRecorder recorder;
        QVERIFY(recorder.started());
        QTest::qWait(500);

        QElapsedTimer timer;
        timer.start();
        QCOMPARE(sndPlaySoundA(platform::toNarrow(path).constData(), SND_NODEFAULT | SND_LOOP),
                 TRUE);
        const qint64 elapsed = timer.elapsed();
        QTest::qWait(700);
        const QList<qint16> recorded = recorder.stop();

        QVERIFY2(elapsed >= 900 && elapsed < 4000, qPrintable(QString::number(elapsed)));
        const int audible = testing::audibleMs(recorded);
        QVERIFY2(audible > 900 && audible < 1100, qPrintable(QString::number(audible)));
        const int crossings = zeroCrossingsPerSecond(recorded);
        qInfo("returned after %d ms, heard %d ms, %d crossings a second", int(elapsed), audible,
              crossings);
        QVERIFY2(crossings > 800 && crossings < 960, qPrintable(QString::number(crossings)));
    }

    // A FIFO would hold the reader for as long as nobody writes into it.
    void missingOrDamagedFilesReturnAtOnceSilently() {
        QVERIFY(testing::writeFile(dir_.filePath(QStringLiteral("bad.wav")), "RIFF junk"));
        QStringList names{dir_.filePath(QStringLiteral("missing.wav")),
                          dir_.filePath(QStringLiteral("bad.wav")), dir_.path()};
#ifdef Q_OS_UNIX
        const QString fifo = dir_.filePath(QStringLiteral("fifo.wav"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        names.append(fifo);
#endif
        for (const QString &name : std::as_const(names)) {
            QElapsedTimer timer;
            timer.start();
            QCOMPARE(sndPlaySoundA(platform::toNarrow(name).constData(), SND_NODEFAULT), FALSE);
            QVERIFY(timer.elapsed() < 1000);
        }
    }

    void asynchronousPlayReturnsAtOnceAndCanBeStopped() {
        const QString path = dir_.filePath(QStringLiteral("long.wav"));
        QVERIFY(testing::writeFile(path, testing::toneWave(3000, 660, Rate)));
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(sndPlaySoundA(platform::toNarrow(path).constData(), SND_ASYNC | SND_NODEFAULT),
                 TRUE);
        QVERIFY(timer.elapsed() < 1000);
        QCOMPARE(sndPlaySoundA(nullptr, 0), TRUE);
    }

private:
    QTemporaryDir dir_;
};

// With no sound server the call returns at once and plays nothing.
class TestNoServer : public QObject {
    Q_OBJECT
private slots:
    void noServer() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ث.wav"));
        QVERIFY(testing::writeFile(path, testing::toneWave(1000)));
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(sndPlaySoundA(platform::toNarrow(path).constData(), SND_NODEFAULT | SND_LOOP),
                 FALSE);
        QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
    }
};

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    if (qEnvironmentVariableIsSet("SNOMEL_EXPECT_NO_SERVER")) {
        TestNoServer test;
        return QTest::qExec(&test, argc, argv);
    }
    TestSound test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sound.moc"
