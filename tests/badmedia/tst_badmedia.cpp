// SPDX-License-Identifier: GPL-3.0-or-later
// Every letter lesson against every file of the bad-media corpus, through
// the real main window, the real picture loader and the real sound device:
// a picture that can't be loaded gives the error box naming its file and no
// sound; a sound that can't be played is silent; the window goes on working.
#include "app/startup.h"
#include "platform/media/wavefile.h"
#include "tests/badmedia/badmedia.h"
#include "tests/support/lessonwindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

using badmedia::BadFile;
using badmedia::Kind;
using badmedia::Outcome;
using testing::pictureName;
using testing::RecordingMessageBox;
using testing::RecordingSound;
using testing::soundName;

Q_DECLARE_METATYPE(badmedia::Outcome)

namespace {

QString corpusFolder() {
    return QStringLiteral(SNOMEL_BADMEDIA_DIR);
}

} // namespace

class TestBadMedia : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        app::prepareApplication(*qApp);
        // The build made the corpus; it must be the one this test expects.
        for (const BadFile &file : badmedia::makeCorpus()) {
            QFile made(QDir(corpusFolder()).filePath(file.name));
            QVERIFY2(made.open(QIODevice::ReadOnly), qPrintable(made.fileName()));
            QCOMPARE(made.read(file.bytes.size()), file.bytes);
            QCOMPARE(made.size(), qMax(file.sparseSize, qint64(file.bytes.size())));
        }
    }

    void init() {
        lesson_ = std::make_unique<testing::LessonWindow>();
        QVERIFY(lesson_->isValid());
    }
    void cleanup() { lesson_.reset(); }

    void badPictureInEveryLesson_data() { addRows(Kind::Picture); }
    void badPictureInEveryLesson() {
        QFETCH(QString, corpusFile);
        QFETCH(Outcome, outcome);
        for (const app::Letter &letter : app::Letters) {
            QVERIFY(linkCorpusFile(corpusFile, pictureName(letter)));
            QVERIFY(testing::writeFile(lesson_->filePath(soundName(letter)), badmedia::goodWave()));
        }
        RecordingSound &sound = lesson_->sound;
        RecordingMessageBox &box = lesson_->box;

        for (const app::Letter &letter : app::Letters) {
            const QImage before = img1()->picture().image();
            box.calls.clear();
            sound.calls.clear();
            press(letter.button);

            const QString file = QDir::toNativeSeparators(lesson_->filePath(pictureName(letter)));
            const bool refused = !box.calls.isEmpty();
            if (outcome == Outcome::Error)
                QVERIFY2(refused, qPrintable(file + QStringLiteral(" was shown")));
            if (outcome == Outcome::Shows)
                QVERIFY2(!refused, qPrintable(refused ? box.calls[0].prompt : QString()));
            if (refused) {
                QCOMPARE(box.calls.size(), 1);
                QVERIFY2(box.calls[0].prompt.contains(file), qPrintable(box.calls[0].prompt));
                QVERIFY(sound.calls.isEmpty());
                QCOMPARE(img1()->picture().image(), before);
            } else {
                QVERIFY(!img1()->picture().isNull());
                if (outcome == Outcome::Shows)
                    QCOMPARE(img1()->picture().image().size(), QSize(64, 48));
                QCOMPARE(sound.calls.size(), 1);
            }
            QVERIFY(lesson_->form.window()->isVisible());
        }
        expectStillTeaching(sound);
    }

    void badSoundInEveryLesson_data() { addRows(Kind::Sound); }
    void badSoundInEveryLesson() {
        QFETCH(QString, corpusFile);
        QFETCH(Outcome, outcome);
        for (const app::Letter &letter : app::Letters) {
            QVERIFY(testing::writeFile(lesson_->filePath(pictureName(letter)),
                                       letter.number <= 11 ? badmedia::goodBitmap()
                                                           : badmedia::goodJpeg()));
            QVERIFY(linkCorpusFile(corpusFile, soundName(letter)));
        }
        // The parser's verdict, which the device acts on.
        const auto clip = platform::readWaveFile(QDir(corpusFolder()).filePath(corpusFile));
        if (outcome == Outcome::Silent)
            QVERIFY(!clip);
        if (outcome == Outcome::Plays) {
            QVERIFY(clip);
            const qsizetype present = QFileInfo(QDir(corpusFolder()).filePath(corpusFile)).size();
            QCOMPARE(clip->samples.size(), qMin(present - 44, badmedia::goodWaveSampleBytes()));
        }

        RecordingSound sound(/*forwardToReal=*/true);
        const platform::Service<platform::SoundDevice>::Fake soundFake(sound);
        const RecordingMessageBox &box = lesson_->box;

        for (const app::Letter &letter : app::Letters) {
            press(letter.button);
            QVERIFY2(box.calls.isEmpty(), qPrintable(box.calls.value(0).prompt));
            QCOMPARE(img1()->picture().image().size(), QSize(64, 48));
        }
        QCOMPARE(sound.results.size(), 28);
        // With the test sound server running, a playable sound is played.
        const bool server = qEnvironmentVariableIsSet("SNOMEL_TEST_SINK");
        for (const BOOL result : sound.results) {
            if (outcome == Outcome::Silent)
                QCOMPARE(result, FALSE);
            if (outcome == Outcome::Plays && server)
                QCOMPARE(result, TRUE);
        }
        expectStillTeaching(sound);
    }

private:
    static void addRows(Kind kind) {
        QTest::addColumn<QString>("corpusFile");
        QTest::addColumn<Outcome>("outcome");
        for (const BadFile &file : badmedia::makeCorpus()) {
            if (file.kind == kind)
                QTest::newRow(qPrintable(file.name)) << file.name << file.outcome;
        }
    }

    // Links, so the corpus's large sparse file is not copied 28 times.
    bool linkCorpusFile(const QString &corpusFile, const QString &name) {
        const QString target = lesson_->filePath(name);
        QFile::remove(target);
        return QFile::link(QDir(corpusFolder()).filePath(corpusFile), target);
    }

    // After every bad file, a good picture and sound still make a lesson.
    void expectStillTeaching(RecordingSound &sound) {
        const app::Letter &tha = app::Letters[3];
        QVERIFY(QFile::remove(lesson_->filePath(pictureName(tha))));
        QVERIFY(QFile::remove(lesson_->filePath(soundName(tha))));
        QVERIFY(
            testing::writePicture(lesson_->filePath(pictureName(tha)), {33, 22}, Qt::red, "BMP"));
        QVERIFY(testing::writeFile(lesson_->filePath(soundName(tha)), badmedia::goodWave()));
        const qsizetype calls = sound.calls.size();
        press(tha.button);
        QCOMPARE(img1()->picture().image().size(), QSize(33, 22));
        QCOMPARE(sound.calls.size(), calls + 1);
    }

    void press(const char *button) { lesson_->press(button); }
    platform::ImageControl *img1() const { return lesson_->img1(); }

    std::unique_ptr<testing::LessonWindow> lesson_;
};

QTEST_MAIN(TestBadMedia)
#include "tst_badmedia.moc"
