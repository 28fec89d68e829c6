// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/iconfile.h"
#include "platform/media/wavefile.h"
#include "platform/paths.h"
#include "platform/picture.h"
#include "platform/programfolder.h"
#include "platform/runtimeerror.h"
#include "tests/support/mediafiles.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLibraryInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using platform::RuntimeError;

class TestFiles : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(dir_.isValid()); }

    void windowsNamesBecomeNativeOnlyByTheirSeparators() {
        QCOMPARE(platform::nativePath(QStringLiteral("/opt/snomel\\ث.bmp")),
                 QStringLiteral("/opt/snomel/ث.bmp"));
        // A folder at the root keeps its separator; the doubled one stays.
        QCOMPARE(platform::nativePath(QStringLiteral("/\\ث.bmp")), QStringLiteral("//ث.bmp"));
        QCOMPARE(platform::nativePath(QStringLiteral("a b\\\\c")), QStringLiteral("a b//c"));
    }

    void programFolderIsTheExecutablesWithoutTrailingSeparator() {
        const QString folder = App_Path();
        QCOMPARE(folder, QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
        QVERIFY(!folder.endsWith(QDir::separator()));
#ifdef Q_OS_WIN
        // The Qt linked in looks for its own folders (catalogues, plugins)
        // in the program's, not in those of the machine it was built on.
        QCOMPARE(QLibraryInfo::path(QLibraryInfo::PrefixPath),
                 QCoreApplication::applicationDirPath());
#endif
    }

    // The loader goes by content: bitmap and JPEG, whatever the name says.
    void loadsBitmapAndJpegByContent() {
        const QString bmp = dir_.filePath(QStringLiteral("ث.bmp"));
        const QString jpegNamedBmp = dir_.filePath(QStringLiteral("ب.bmp"));
        QVERIFY(testing::writePicture(bmp, {31, 17}, Qt::red, "BMP"));
        QVERIFY(testing::writePicture(jpegNamedBmp, {40, 30}, Qt::blue, "JPG"));
        QCOMPARE(LoadPicture(bmp).image().size(), QSize(31, 17));
        QCOMPARE(LoadPicture(jpegNamedBmp).image().size(), QSize(40, 30));
        // A Windows-style name reaches the same file.
        QCOMPARE(LoadPicture(dir_.path() + QStringLiteral("\\ث.bmp")).width(), 31);
    }

    void failuresRaiseAnErrorThatNamesTheFile_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("number");
        QTest::newRow("missing") << QByteArray() << platform::errors::FileNotFound;
        QTest::newRow("empty") << QByteArray("") << platform::errors::InvalidPicture;
        QTest::newRow("text") << QByteArray("not a picture at all")
                              << platform::errors::InvalidPicture;
        QTest::newRow("png") << pngBytes() << platform::errors::InvalidPicture;
        QTest::newRow("truncated bmp") << bmpBytes().left(30) << platform::errors::InvalidPicture;
    }
    void failuresRaiseAnErrorThatNamesTheFile() {
        QFETCH(QByteArray, content);
        QFETCH(int, number);
        const QString path = dir_.filePath(QStringLiteral("ج.bmp"));
        if (!content.isNull())
            QVERIFY(testing::writeFile(path, content));
        try {
            LoadPicture(path);
            QFAIL("no error raised");
        } catch (const RuntimeError &error) {
            QCOMPARE(error.number(), number);
            QVERIFY2(error.text().contains(QDir::toNativeSeparators(path)),
                     qPrintable(error.text()));
        }
    }

    // A FIFO or a folder in a picture's place is no picture file: not found,
    // at once, and nobody need write into the FIFO.
    void onlyPlainFilesAreFound() {
        const QString folder = dir_.filePath(QStringLiteral("د.jpg"));
        QVERIFY(QDir().mkdir(folder));
        QStringList notFiles{folder};
#ifdef Q_OS_UNIX
        const QString fifo = dir_.filePath(QStringLiteral("خ.bmp"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
        notFiles.append(fifo);
#endif
        for (const QString &path : std::as_const(notFiles)) {
            QElapsedTimer timer;
            timer.start();
            QVERIFY_THROWS_EXCEPTION(RuntimeError, LoadPicture(path));
            QVERIFY(timer.elapsed() < 1000);
            try {
                LoadPicture(path);
            } catch (const RuntimeError &error) {
                QCOMPARE(error.number(), platform::errors::FileNotFound);
                QCOMPARE(error.file(), path);
            }
        }
    }

    // A picture the user may not read is reported as access denied (70),
    // one in a folder the user may not enter too; once readable, the same
    // user loads it. Root reads every file, so the probe then runs as
    // nobody.
    void unreadablePictureIsPermissionDenied() {
#ifndef Q_OS_UNIX
        QSKIP("file permissions by owner and others are the Unix ones");
#else
        QVERIFY(QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                       QFile::ExeOwner | QFile::ReadOther |
                                                       QFile::ExeOther));
        const QString picture = dir_.filePath(QStringLiteral("ذ.bmp"));
        QVERIFY(testing::writePicture(picture, {8, 8}, Qt::red, "BMP"));
        QVERIFY(QFile::setPermissions(picture, QFile::WriteOwner));
        QCOMPARE(probe(picture), QByteArray("70"));
        QVERIFY(QFile::setPermissions(picture, QFile::ReadOwner | QFile::ReadOther));
        QCOMPARE(probe(picture), QByteArray("0"));
        // A folder nobody may enter, its owner neither.
        const QFile::Permissions open = QFile::permissions(dir_.path());
        QVERIFY(QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner));
        const QByteArray inClosedFolder = probe(picture);
        QVERIFY(QFile::setPermissions(dir_.path(), open));
        QCOMPARE(inClosedFolder, QByteArray("70"));
#endif
    }

    void parsesPcmWaves() {
        const auto clip = platform::parseWave(testing::toneWave(500, 440, 22050));
        QVERIFY(clip);
        QCOMPARE(clip->format.sampleRate(), 22050);
        QCOMPARE(clip->format.channelCount(), 1);
        QCOMPARE(clip->format.sampleFormat(), QAudioFormat::Int16);
        QCOMPARE(clip->durationUs(), 500'000);
    }

    // The program icon read without the image plugins is Qt's reading of
    // it, pixel for pixel; a cut or damaged icon file gives nothing (the
    // caller then asks Qt's reader), never a crash.
    void readsTheProgramIconAsQtDoes() {
        QFile file(testing::programIconFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray icon = file.readAll();
        const QImage read = platform::readIconFileImage(icon);
        QCOMPARE(read.size(), QSize(100, 150));
        QCOMPARE(read, QImage::fromData(icon, "ICO").convertToFormat(read.format()));

        for (qsizetype length = 0; length < icon.size(); length += 97)
            QVERIFY2(platform::readIconFileImage(icon.left(length)).isNull(),
                     qPrintable(QString::number(length)));
        // Image offset, size, width, height, bits per pixel, compression.
        for (const auto &[at, value] : {std::pair{18, 0xFFFFFFF0u},
                                        {14, 0xFFFFFF00u},
                                        {26, 0x7FFFFFFFu},
                                        {30, 0xFFFFFFFEu},
                                        {36, 8u},
                                        {38, 1u}}) {
            QByteArray damaged = icon;
            qToLittleEndian<quint32>(value, damaged.data() + at);
            QVERIFY2(platform::readIconFileImage(damaged).isNull(),
                     qPrintable(QString::number(at)));
        }
    }

    // Damaged or foreign files give nothing, never a crash; a data chunk
    // that claims more than the file holds plays what is there.
    void refusesDamagedWaves() {
        const QByteArray good = testing::toneWave(100);
        for (qsizetype length = 0; length < 46; ++length)
            QVERIFY2(!platform::parseWave(good.left(length)), qPrintable(QString::number(length)));
        const auto cut = platform::parseWave(good.left(good.size() - 101));
        QVERIFY(cut);
        QCOMPARE(cut->samples.size() % 2, 0);

        QByteArray adpcm = good;
        adpcm[20] = 2; // format tag 2: ADPCM
        QVERIFY(!platform::parseWave(adpcm));
        QByteArray hugeFormat = good;
        qToLittleEndian<quint32>(0xFFFFFFF0u, hugeFormat.data() + 16);
        QVERIFY(!platform::parseWave(hugeFormat));
        QByteArray noChannels = good;
        noChannels[22] = 0;
        QVERIFY(!platform::parseWave(noChannels));
        QVERIFY(!platform::parseWave(QByteArray("RIFF\0\0\0\0WAVE", 12)));
    }

private:
    // The error number the picture probe reports for a file, as a user who
    // is not root.
#ifdef Q_OS_UNIX
    static QByteArray probe(const QString &file) {
        QStringList command{QStringLiteral(PICTURE_PROBE), file};
        if (::geteuid() == 0)
            command = QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=nobody"),
                                  QStringLiteral("--regid=nogroup"),
                                  QStringLiteral("--clear-groups"), QStringLiteral("--")} +
                      command;
        QProcess process;
        process.start(command.takeFirst(), command);
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            qWarning() << "picture probe:" << process.readAllStandardError();
        return process.readAllStandardOutput().trimmed();
    }
#endif

    static QByteArray imageBytes(const char *format) {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::green);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format);
        return bytes;
    }
    static QByteArray pngBytes() {
        return imageBytes("PNG");
    }
    static QByteArray bmpBytes() {
        return imageBytes("BMP");
    }

    QTemporaryDir dir_;
};

QTEST_MAIN(TestFiles)
#include "tst_files.moc"
