// SPDX-License-Identifier: GPL-3.0-or-later
// The skin tool as people use it: real files in a temporary folder, the
// program's output and exit status.
#include "skin/skinreader.h"
#include "skin/storedskin.h"
#include "skin/tools/skinsource.h"
#include "skin/tools/skinwriter.h"
#include "tests/skin/smallskin.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run runTool(const QStringList &args) {
    QProcess p;
    p.start(QStringLiteral(SNOMEL_SKIN_TOOL), args);
    Run r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

bool writeFile(const QString &path, const QByteArray &data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

QByteArray readFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// An image of one grey, opaque.
skin::SkinImage greyImage(quint32 width, quint32 height, const skin::Text &name, char grey = 0) {
    skin::SkinImage image;
    image.width = width;
    image.height = height;
    image.name = name;
    image.pixels.reserve(qsizetype(width) * height * 4);
    for (quint64 i = 0; i < quint64(width) * height; ++i)
        image.pixels.append(grey).append(grey).append(grey).append('\xFF');
    return image;
}

} // namespace

class TestSkinTool : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        stream_ = dir_.filePath(QStringLiteral("Form2.skn"));
        QVERIFY(writeFile(stream_, skin::storedSkinStream(2)));
    }

    void storedCopyVerifiesAndRoundTrips() {
        Run r = runTool({QStringLiteral("verify"), stream_});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.contains(QStringLiteral("holds the stored skin")));
        r = runTool({QStringLiteral("roundtrip"), stream_});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.contains(QStringLiteral("249097 bytes")));
    }

    void verifyListsEachDifference() {
        skin::Skin s = *skin::readSkinStream(skin::storedSkinStream(2));
        s.find(u"Form/top_edge/MinButton")->property(u"m_Type")->value = skin::Integer{9};
        s.find(u"Label")->property(u"m_bstrCaption")->value =
            skin::Text(QStringLiteral("Etiquette"));
        const QString changed = dir_.filePath(QStringLiteral("changed.skn"));
        QVERIFY(writeFile(changed, skin::writeSkinStream(s)));
        const Run r = runTool({QStringLiteral("verify"), changed});
        QCOMPARE(r.exitCode, 1);
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines, (QStringList{
                            "Web-II/Form/top_edge/MinButton  m_Type: expected 5, found 9",
                            "Web-II/Label  m_bstrCaption: expected \"Label\", found \"Etiquette\"",
                        }));
        QVERIFY(r.err.contains(QStringLiteral("2 values")));
    }

    void damagedStreamsFailClearly() {
        const QString cut = dir_.filePath(QStringLiteral("cut.skn"));
        QVERIFY(writeFile(cut, skin::storedSkinStream(1).left(1000)));
        for (const char *command : {"dump", "verify", "roundtrip"}) {
            const Run r = runTool({QString::fromLatin1(command), cut});
            QCOMPARE(r.exitCode, 1);
            QVERIFY2(r.err.contains(QStringLiteral("cut.skn: offset ")), qPrintable(r.err));
        }
        const Run missing =
            runTool({QStringLiteral("dump"), dir_.filePath(QStringLiteral("none.skn"))});
        QCOMPARE(missing.exitCode, 1);
        QVERIFY(missing.err.contains(QStringLiteral("cannot read")));
        QCOMPARE(runTool({QStringLiteral("frobnicate")}).exitCode, 2);
        QCOMPARE(runTool({QStringLiteral("dump")}).exitCode, 2);
    }

    void dumpShowsTheTree() {
        const Run r = runTool({QStringLiteral("dump"), stream_});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.contains(
            QStringLiteral("Web-II/Form/top_edge/SkinButton Object  m_Normal = layout 72; "
                           "slot 0 \"web.bmp\" (273, 0, 288, 24)")));
        QVERIFY(r.out.contains(QStringLiteral("Web-II/Frame  m_eFrameBlendMode = 0xCDCDCDCD")));
        QVERIFY(r.out.contains(QStringLiteral("Web-II/MiscControls  children = 0")));
    }

    void extractWritesTheImages() {
        const QString out = dir_.filePath(QStringLiteral("images"));
        const Run r = runTool({QStringLiteral("extract"), stream_, out});
        QCOMPARE(r.exitCode, 0);
        for (const char *name : {"web.png", "checkboxes.png", "radiobuttons.png"}) {
            const QImage extracted(QDir(out).filePath(QString::fromLatin1(name)));
            const QImage source(QStringLiteral(SNOMEL_SOURCE_DIR "/skin/webii/") +
                                QString::fromLatin1(name));
            QVERIFY(!extracted.isNull());
            QCOMPARE(extracted.convertToFormat(QImage::Format_ARGB32),
                     source.convertToFormat(QImage::Format_ARGB32));
        }
    }

    // The source written from a stream builds the same stream again.
    void sourceAndBuildRoundTrip() {
        const QString json = dir_.filePath(QStringLiteral("src/skin.json"));
        QVERIFY(QDir().mkpath(dir_.filePath(QStringLiteral("src"))));
        QCOMPARE(runTool({QStringLiteral("source"), stream_, json}).exitCode, 0);
        const QString built = dir_.filePath(QStringLiteral("built.skn"));
        // Form2's handles start at 0x2C020001 (skin/CMakeLists.txt).
        const Run r = runTool({QStringLiteral("build"), json, built, QStringLiteral("--handles"),
                               QStringLiteral("0x2C020001")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(readFile(built), skin::storedSkinStream(2));
        // The committed source gives the same skin, handles aside.
        const Run fromRepo =
            runTool({QStringLiteral("build"),
                     QStringLiteral(SNOMEL_SOURCE_DIR "/skin/webii/skin.json"), built});
        QCOMPARE(fromRepo.exitCode, 0);
        skin::Skin a = *skin::readSkinStream(readFile(built));
        skin::Skin b = *skin::readSkinStream(skin::storedSkinStream(2));
        a.assignHandles(1);
        b.assignHandles(1);
        QVERIFY(a == b);
    }

    // A source that is not what it means is refused with the place of the
    // fault, and no stream is written. Hexadecimal digits are ASCII's alone.
    void brokenSourceNamesThePlace_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("message");
        QTest::newRow("word for a number")
            << QByteArray("[\"m_nMax\", 20]") << QByteArray("[\"m_nMax\", \"twenty\"]")
            << QStringLiteral("Web-II/HScrollBar, m_nMax: expected a whole number");
        QTest::newRow("Arabic-Indic digit in a font")
            << QByteArray("[\"m_LogFont\", \"zeros\"]")
            << "[\"m_LogFont\", \"0" + QStringLiteral("\u0661").toUtf8() + QByteArray(118, '0') +
                   "\"]"
            << QStringLiteral("Web-II/Form/top_edge, m_LogFont: expected hexadecimal bytes");
        QTest::newRow("sign in a number")
            << QByteArray("\"0x00ECE9BB\"") << QByteArray("\"0x+0ECE9BB\"")
            << QStringLiteral("bad hexadecimal number 0x+0ECE9BB");
        QTest::newRow("space in a colour")
            << QByteArray("[\"m_BackColor\", \"#05537C\"]")
            << QByteArray("[\"m_BackColor\", \"# 5537C\"]")
            << QStringLiteral("settings, m_BackColor: expected a colour");
    }

    void brokenSourceNamesThePlace() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, message);
        QByteArray json = readFile(QStringLiteral(SNOMEL_SOURCE_DIR "/skin/webii/skin.json"));
        const qsizetype at = json.indexOf(from);
        QVERIFY(at >= 0);
        json.replace(at, from.size(), to);
        const QString path = dir_.filePath(QStringLiteral("skin.json"));
        QVERIFY(writeFile(path, json));
        for (const char *name : {"web.png", "checkboxes.png", "radiobuttons.png"}) {
            const QString copy = dir_.filePath(QString::fromLatin1(name));
            QVERIFY(QFile::exists(copy) ||
                    QFile::copy(QStringLiteral(SNOMEL_SOURCE_DIR "/skin/webii/") +
                                    QString::fromLatin1(name),
                                copy));
        }
        const QString built = dir_.filePath(QStringLiteral("x.skn"));
        const Run r = runTool({QStringLiteral("build"), path, built});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFile::exists(built));
    }

    // Whatever their names, the images come out as files of their own, and
    // a source built again gives each image its own pixels back.
    void everyImageGetsItsOwnFile() {
        // Once, the name made up for the second "a.bmp" was the "a-5.bmp"'s.
        const QStringList names = {"a.bmp", "a-5.bmp", "b.bmp", "c.bmp", "d.bmp", "a.bmp", "A.bmp"};
        skin::Skin s = skintest::smallSkin();
        s.images.clear();
        for (int i = 0; i < names.size(); ++i)
            s.images.append(greyImage(1, 1, names[i], char(30 * i)));
        const QString stream = dir_.filePath(QStringLiteral("names.skn"));
        QVERIFY(writeFile(stream, skin::writeSkinStream(s)));

        const Run r = runTool({QStringLiteral("extract"), stream, dir_.filePath("apart")});
        QCOMPARE(r.exitCode, 0);
        const QStringList files = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(files.size(), names.size());
        QSet<QString> apart; // even where letter case is not
        for (const QString &file : files)
            apart.insert(file.toCaseFolded());
        QCOMPARE(apart.size(), names.size());
        QCOMPARE(QDir(dir_.filePath("apart")).entryList(QDir::Files).size(), names.size());
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(QImage(files[i]).pixel(0, 0), qRgb(30 * i, 30 * i, 30 * i));

        const QString json = dir_.filePath(QStringLiteral("src/skin.json"));
        QVERIFY(QDir().mkpath(dir_.filePath(QStringLiteral("src"))));
        QCOMPARE(runTool({QStringLiteral("source"), stream, json}).exitCode, 0);
        const QString built = dir_.filePath(QStringLiteral("built.skn"));
        QCOMPARE(runTool({QStringLiteral("build"), json, built}).exitCode, 0);
        const std::optional<skin::Skin> back = skin::readSkinStream(readFile(built));
        QVERIFY(back);
        QVERIFY(back->images == s.images);
    }

    // An image no file can hold, or whose name no file can have, is refused
    // with the reason, and nothing is written: neither that image's file
    // nor the others'.
    void imagesNoFileCanHoldAreRefused_data() {
        QTest::addColumn<quint32>("width");
        QTest::addColumn<quint32>("height");
        QTest::addColumn<QString>("name"); // null for no name
        QTest::addColumn<QString>("reason");
        const QString ok = QStringLiteral("fine.bmp");
        QTest::newRow("0 × 0") << 0u << 0u << ok << "it has no pixels (0 × 0)";
        QTest::newRow("0 × 7") << 0u << 7u << ok << "it has no pixels (0 × 7)";
        QTest::newRow("1 × 4194304") << 1u << 4194304u << ok
                                     << "it is 1 × 4194304 pixels, and a PNG file is written at "
                                        "most 1000000 pixels a side";
        QTest::newRow("NUL") << 1u << 1u << QString::fromUtf16(u"a\0b.bmp", 7)
                             << "(\"a\\u0000b.bmp\"): its name holds the control character U+0000";
        QTest::newRow("slash") << 1u << 1u << "../up.bmp"
                               << "its name holds a path separator";
        QTest::newRow("backslash") << 1u << 1u << "a\\b.bmp"
                                   << "its name holds a path separator";
        QTest::newRow("dot dot") << 1u << 1u << ".."
                                 << "a hidden file's or a folder's name";
        QTest::newRow("hidden") << 1u << 1u << ".bmp"
                                << "a hidden file's or a folder's name";
        QTest::newRow("empty") << 1u << 1u << ""
                               << "it has no name";
        QTest::newRow("null") << 1u << 1u << QString() << "it has no name";
        QTest::newRow("too long") << 1u << 1u << QString(300, u'x') << "too long";
    }

    void imagesNoFileCanHoldAreRefused() {
        QFETCH(quint32, width);
        QFETCH(quint32, height);
        QFETCH(QString, name);
        QFETCH(QString, reason);
        skin::Skin s = skintest::smallSkin();
        s.images.append(greyImage(width, height, name.isNull() ? skin::Text() : skin::Text(name)));
        const QString stream = dir_.filePath(QStringLiteral("crafted.skn"));
        QVERIFY(writeFile(stream, skin::writeSkinStream(s)));
        const QString out = dir_.filePath(QStringLiteral("out"));
        QVERIFY(QDir().mkpath(out));
        const QString json = QDir(out).filePath(QStringLiteral("skin.json"));
        for (const QStringList &command :
             {QStringList{"extract", stream, out}, QStringList{"source", stream, json}}) {
            const Run r = runTool(command);
            QCOMPARE(r.exitCode, 1);
            QVERIFY2(r.err.contains(QStringLiteral("image 1 (")) && r.err.contains(reason),
                     qPrintable(r.err));
            QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList());
        }
    }

    // Build writes no stream the reader would reject.
    void buildWritesOnlyWhatReadsBack_data() {
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("32 deep") << 32 << 0;
        QTest::newRow("33 deep") << 33 << 1;
    }

    void buildWritesOnlyWhatReadsBack() {
        QFETCH(int, depth);
        QFETCH(int, exitCode);
        const QString folder = dir_.filePath(QStringLiteral("deep%1").arg(depth));
        QVERIFY(QDir().mkpath(folder));
        const QString json = QDir(folder).filePath(QStringLiteral("skin.json"));
        QString error;
        QVERIFY2(skin::saveSkinSource(skintest::nestedSkin(depth), json, &error),
                 qPrintable(error));
        const QString built = QDir(folder).filePath(QStringLiteral("built.skn"));
        const Run r = runTool({QStringLiteral("build"), json, built});
        QCOMPARE(r.exitCode, exitCode);
        if (exitCode == 0) {
            QCOMPARE(runTool({QStringLiteral("roundtrip"), built}).exitCode, 0);
        } else {
            QVERIFY2(r.err.contains(QStringLiteral("/level is nested 33 deep")), qPrintable(r.err));
            QVERIFY(!QFile::exists(built));
        }
    }

private:
    QTemporaryDir dir_;
    QString stream_;
};

QTEST_GUILESS_MAIN(TestSkinTool)
#include "tst_skintool.moc"
