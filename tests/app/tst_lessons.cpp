// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"
#include "platform/codepage.h"
#include "tests/support/lessonwindow.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <optional>

using testing::FixedFolder;
using testing::RecordingMessageBox;
using testing::RecordingSound;

namespace {

// A distinct size for every letter, so the picture shown tells which file
// was loaded.
QSize pictureSize(const app::Letter &letter) {
    return {40 + letter.number, 20 + 2 * letter.number};
}

} // namespace

class TestLessons : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { app::prepareApplication(*qApp); }

    void init() {
        lesson_ = std::make_unique<testing::LessonWindow>();
        QVERIFY(lesson_->isValid());
    }
    void cleanup() { lesson_.reset(); }

    // Each button loads its own row's picture, by the program folder, a
    // backslash and the letter, shows it stretched over the picture area,
    // then plays its sound synchronously with flags 10.
    void everyLetterTeachesItsOwnRow() {
        writeAllMedia();
        RecordingSound &sound = lesson_->sound;
        RecordingMessageBox &box = lesson_->box;

        for (const app::Letter &letter : app::Letters) {
            press(letter.button);
            QCOMPARE(img1()->picture().image().size(), pictureSize(letter));
            QVERIFY(img1()->stretch());
            QCOMPARE(img1()->geometry(), QRect(0, 0, 585, 337));
            const QByteArray expected = platform::toNarrow(
                lesson_->folder.path() + QLatin1Char('\\') + testing::soundName(letter));
            QCOMPARE(sound.calls.last().name, expected);
            QCOMPARE(sound.calls.last().flags, UINT(10));
        }
        QCOMPARE(sound.calls.size(), 28);
        QVERIFY(box.calls.isEmpty());
    }

    // The same letter twice reads its picture from disk again.
    void sameLetterTwiceLoadsAndPlaysAgain() {
        const app::Letter &tha = app::Letters[3];
        const QString path = lesson_->filePath(testing::pictureName(tha));
        QVERIFY(testing::writePicture(path, {10, 10}, Qt::red, "BMP"));
        const RecordingSound &sound = lesson_->sound;

        press("Command1");
        QCOMPARE(img1()->picture().image().size(), QSize(10, 10));
        QVERIFY(testing::writePicture(path, {20, 30}, Qt::blue, "BMP"));
        press("Command1");
        QCOMPARE(img1()->picture().image().size(), QSize(20, 30));
        QCOMPARE(sound.calls.size(), 2);
    }

    // Only the row's own name is tried: a JPEG beside a missing bitmap, or
    // files named with a bare alef or a bare ha, are never used. The error
    // box names the file; no sound plays; the window goes on working.
    void onlyTheRowsOwnFileIsTried_data() {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<QString>("present");
        QTest::addColumn<QString>("wanted");
        QTest::newRow("tha jpg") << QByteArray("Command1") << QStringLiteral("ث.jpg")
                                 << QStringLiteral("ث.bmp");
        QTest::newRow("seen bmp") << QByteArray("Command27") << QStringLiteral("س.bmp")
                                  << QStringLiteral("س.jpg");
        QTest::newRow("bare alef")
            << QByteArray("Command15") << QStringLiteral("ا.bmp") << QStringLiteral("أ.bmp");
        QTest::newRow("bare ha") << QByteArray("Command32") << QStringLiteral("ه.jpg")
                                 << QStringLiteral("هـ.jpg");
    }
    void onlyTheRowsOwnFileIsTried() {
        QFETCH(QByteArray, button);
        QFETCH(QString, present);
        QFETCH(QString, wanted);
        QVERIFY(testing::writePicture(lesson_->filePath(present), {10, 10}, Qt::red, "JPG"));
        QVERIFY(testing::writeFile(lesson_->filePath(QFileInfo(wanted).completeBaseName() + ".wav"),
                                   testing::toneWave(100)));
        const RecordingSound &sound = lesson_->sound;
        const RecordingMessageBox &box = lesson_->box;

        press(button.constData());
        QCOMPARE(box.calls.size(), 1);
        QVERIFY2(box.calls[0].prompt.contains(QDir::toNativeSeparators(lesson_->filePath(wanted))),
                 qPrintable(box.calls[0].prompt));
        QVERIFY(sound.calls.isEmpty());
        QVERIFY(img1()->picture().isNull());
        QVERIFY(lesson_->form.window()->isVisible());

        // The window still teaches the next letter.
        QVERIFY(testing::writePicture(lesson_->filePath(QStringLiteral("ب.bmp")), {12, 12},
                                      Qt::green, "BMP"));
        press("Command16");
        QCOMPARE(img1()->picture().image().size(), QSize(12, 12));
        QCOMPARE(sound.calls.size(), 1);
    }

    // A present picture with a missing sound: the picture shows and the
    // real sound call stays silent, with no message.
    void missingSoundIsSilent() {
        QVERIFY(testing::writePicture(lesson_->filePath(QStringLiteral("ج.bmp")), {9, 9}, Qt::red,
                                      "BMP"));
        RecordingSound sound(/*forwardToReal=*/true);
        const platform::Service<platform::SoundDevice>::Fake soundFake(sound);
        const RecordingMessageBox &box = lesson_->box;

        press("Command2");
        QCOMPARE(img1()->picture().image().size(), QSize(9, 9));
        QCOMPARE(sound.results, QList<BOOL>{FALSE});
        QVERIFY(box.calls.isEmpty());
    }

    // A folder reported with a separator at its end gets the backslash
    // appended all the same; the doubled separator is harmless.
    void folderEndingInASeparator() {
        QVERIFY(testing::writePicture(lesson_->filePath(QStringLiteral("ث.bmp")), {7, 7}, Qt::red,
                                      "BMP"));
        FixedFolder folder(lesson_->folder.path() + QLatin1Char('/'));
        const platform::Service<platform::ProgramFolder>::Fake folderFake(folder);

        press("Command1");
        QCOMPARE(img1()->picture().image().size(), QSize(7, 7));
        QCOMPARE(lesson_->sound.calls[0].name,
                 platform::toNarrow(lesson_->folder.path() + QStringLiteral("/\\ث.wav")));
    }

    // A code page without Arabic letters cannot name the sound file: the
    // sound stays silent while the picture, found by its wide name, shows.
    // The environment's own code page where it has none (LC_ALL=C, Windows'
    // 1252), ASCII in its place where it has them.
    void codePageWithoutArabic() {
        QVERIFY(lesson_->writeLetter(app::Letters[3], {7, 7}, Qt::red, 200));
        platform::CodePage ascii("ANSI_X3.4-1968");
        std::optional<platform::Service<platform::CodePage>::Fake> codePageFake;
        if (!platform::CodePage::real().toNarrow(QStringLiteral("ث")).contains('?'))
            codePageFake.emplace(ascii);
        RecordingSound sound(/*forwardToReal=*/true);
        platform::Service<platform::SoundDevice>::Fake soundFake(sound);

        press("Command1");
        QCOMPARE(img1()->picture().image().size(), QSize(7, 7));
        QCOMPARE(sound.calls[0].name,
                 platform::toNarrow(lesson_->folder.path() + QStringLiteral("\\ث.wav")));
        QVERIFY(sound.calls[0].name.endsWith("\\?.wav"));
        QCOMPARE(sound.results, QList<BOOL>{FALSE});
    }

    // Any size and aspect is stretched over the whole picture area.
    void picturesAreStretchedToThePictureBox() {
        QImage tall(3, 200, QImage::Format_RGB32);
        tall.fill(QColor(200, 30, 30));
        QVERIFY(tall.save(lesson_->filePath(QStringLiteral("د.bmp")), "BMP"));

        press("Command5");
        const QImage shown = lesson_->form.control("Pic1")->grab().toImage();
        // Inside the two-pixel border, every corner shows the picture.
        for (const QPoint corner : {QPoint(3, 3), QPoint(581, 3), QPoint(3, 333), QPoint(581, 333)})
            QCOMPARE(QColor(shown.pixel(corner)), QColor(200, 30, 30));
    }

private:
    void writeAllMedia() {
        for (const app::Letter &letter : app::Letters) {
            QVERIFY(testing::writePicture(lesson_->filePath(testing::pictureName(letter)),
                                          pictureSize(letter), Qt::darkCyan,
                                          letter.number <= 11 ? "BMP" : "JPG"));
        }
    }

    void press(const char *button) { lesson_->press(button); }
    platform::ImageControl *img1() const { return lesson_->img1(); }

    std::unique_ptr<testing::LessonWindow> lesson_;
};

QTEST_MAIN(TestLessons)
#include "tst_lessons.moc"
