// SPDX-License-Identifier: GPL-3.0-or-later
// The media layer as the program reaches it: a module loaded from the
// program folder on first use, never linked into the executable.
#include "platform/codepage.h"
#include "platform/dispatch.h"
#include "platform/mediamodule.h"
#include "platform/mediaplayersettings.h"
#include "platform/runtimeerror.h"
#include "platform/sound.h"
#include "tests/support/fakes.h"
#include "tests/support/mediatest.h"
#include "tests/support/soundserver.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

// Whether a library whose file name holds `name` is mapped into this process.
bool mapped(const char *name) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return false;
    return maps.readAll().contains(name);
}

QString programFile(const char *name) {
    return QDir(QStringLiteral(SNOMEL_PROGRAM_DIR)).filePath(QString::fromUtf8(name));
}

// The symbols nm lists for a binary, one a line, demangled.
QList<QByteArray> symbols(const QStringList &options, const char *binary) {
    QProcess nm;
    nm.start(QStringLiteral("nm"),
             QStringList{QStringLiteral("-C")} + options + QStringList{programFile(binary)});
    if (!nm.waitForFinished() || nm.exitCode() != 0)
        return {};
    return nm.readAllStandardOutput().trimmed().split('\n');
}

} // namespace

class MediaModuleTest : public QObject {
    Q_OBJECT
private slots:
    // Start-up never loads the media framework: the executable does not
    // name it among its libraries, and neither does this test until the
    // layer is first used.
    void theProgramDoesNotLinkTheFramework() {
        QProcess readelf;
        readelf.start(QStringLiteral("readelf"), {QStringLiteral("-d"), programFile("snomel")});
        QVERIFY(readelf.waitForFinished());
        const QByteArray dynamic = readelf.readAllStandardOutput();
        QVERIFY2(dynamic.contains("libQt6Widgets"), dynamic.constData());
        QVERIFY2(!dynamic.contains("Multimedia"), dynamic.constData());
        QVERIFY(!mapped("libQt6Multimedia"));
    }

    // The module sits in the program folder and exports its entry alone.
    void theModuleExportsItsEntryAlone() {
        QProcess nm;
        nm.start(QStringLiteral("nm"), {QStringLiteral("-D"), QStringLiteral("--defined-only"),
                                        programFile("snomel-media.so")});
        QVERIFY(nm.waitForFinished());
        const QList<QByteArray> lines = nm.readAllStandardOutput().trimmed().split('\n');
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().endsWith(" T snomel_media_module"), lines.first().constData());
    }

    // The module holds the media layer alone: the platform layer under it,
    // the services' slots and real implementations among it, is the
    // program's, which exports all the module asks of it.
    void theModuleTakesThePlatformLayerFromTheProgram() {
        const QList<QByteArray> defined =
            symbols({QStringLiteral("--defined-only")}, "snomel-media.so");
        QVERIFY(!defined.isEmpty());
        for (const QByteArray &line : defined)
            QVERIFY2(!line.contains("platform::Service<") && !line.contains("::real()"), line);
        const QList<QByteArray> exported =
            symbols({QStringLiteral("-D"), QStringLiteral("--defined-only")}, "snomel");
        int asked = 0;
        for (const QByteArray &line : symbols({QStringLiteral("-u")}, "snomel-media.so")) {
            const QByteArray name = line.mid(line.indexOf(" U ") + 3);
            if (!name.startsWith("platform::"))
                continue;
            ++asked;
            QVERIFY2(std::ranges::any_of(
                         exported, [&](const QByteArray &e) { return e.endsWith(" " + name); }),
                     name.constData());
        }
        QVERIFY(asked > 0);
    }

    // A fake the program puts in place is the one the module goes by: a
    // sound named in the Arabic code page of the fake plays.
    void aFakeInTheProgramReachesTheModule() {
        if (qEnvironmentVariableIsEmpty("SNOMEL_TEST_SINK"))
            QSKIP("no test sound server (scripts/test starts one)");
        const platform::Service<platform::ProgramFolder>::Fake folder(programFolder_);
        platform::CodePage arabic("CP1256");
        const platform::Service<platform::CodePage>::Fake codePage(arabic);
        const QByteArray name = arabic.toNarrow(programFile("ب.wav"));
        QVERIFY(name != programFile("ب.wav").toUtf8());
        QCOMPARE(sndPlaySoundA(name.constData(), SND_NODEFAULT), TRUE);
    }

    // The first sound loads the module from the program folder and plays
    // through it for the clip's length.
    void theFirstSoundLoadsTheModule() {
        if (qEnvironmentVariableIsEmpty("SNOMEL_TEST_SINK"))
            QSKIP("no test sound server (scripts/test starts one)");
        const platform::Service<platform::ProgramFolder>::Fake folder(programFolder_);
        QElapsedTimer clock;
        clock.start();
        const QByteArray name = programFile("ب.wav").toUtf8();
        QCOMPARE(sndPlaySoundA(name.constData(), SND_NODEFAULT), TRUE);
        QVERIFY(mapped("snomel-media.so"));
        QVERIFY(mapped("libQt6Multimedia"));
        // The clip is about a second long; the call returns once it has played.
        QVERIFY2(clock.elapsed() > 300, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(sndPlaySoundA("/nonexistent/snomel.wav", SND_NODEFAULT), FALSE);
    }

    // A player made through the module plays the song it is handed.
    void aPlayerFromTheModulePlaysTheSong() {
        const platform::Service<platform::ProgramFolder>::Fake folder(programFolder_);
        const platform::MediaModule &module = platform::mediaModule();
        QWidget window;
        QWidget *player = module.createPlayer(platform::MediaPlayerSettings{}, &window);
        QVERIFY(player);
        QCOMPARE(player->parentWidget(), &window);
        platform::Dispatch *dispatch = module.playerDispatch(player);
        dispatch->Invoke(platform::PlayerDispidURL, platform::InvokeKind::PropertyPut,
                         {platform::Variant(testing::shippedSong())});
        QCOMPARE(dispatch->Invoke(platform::PlayerDispidURL, platform::InvokeKind::PropertyGet, {})
                     .toBstr(),
                 testing::shippedSong());
        // Unknown members raise, as the linked player does.
        QVERIFY_THROWS_EXCEPTION(platform::RuntimeError,
                                 dispatch->Invoke(7, platform::InvokeKind::Method, {}));
        // The framework's own player inside it gets going.
        QObject *engine = nullptr;
        for (QObject *child : player->findChildren<QObject *>()) {
            if (qstrcmp(child->metaObject()->className(), "QMediaPlayer") == 0)
                engine = child;
        }
        QVERIFY(engine);
        QTRY_VERIFY_WITH_TIMEOUT(engine->property("position").toLongLong() > 500, 20000);

        int clicks = 0;
        module.onDoubleClick(player, this, [&clicks](short, short, int, int) { ++clicks; });
        window.resize(320, 240);
        player->resize(320, 240);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseDClick(player->childAt(10, 10) ? player->childAt(10, 10) : player,
                           Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(clicks, 1);
    }

    // With no module in the program folder the program goes on, silent: a
    // sound returns at once, the message names the file looked for, and a
    // player is a blank that keeps its URL. The module is looked for again
    // at each use: once it is back, the next sound plays. Run by itself
    // (tst_media_module_missing), before anything has loaded the module.
    void aMissingModuleLeavesTheProgramSilentUntilItIsBack() {
        if (mapped("snomel-media.so"))
            QSKIP("the module is loaded already: run this test function by itself");
        QTemporaryDir empty;
        QVERIFY(empty.isValid());
        testing::FixedFolder emptyFolder(empty.path());
        const platform::Service<platform::ProgramFolder>::Fake folder(emptyFolder);
        QElapsedTimer clock;
        clock.start();
        const QByteArray name = programFile("ب.wav").toUtf8();
        BOOL played = TRUE;
        const QByteArray message =
            standardErrorOf([&] { played = sndPlaySoundA(name.constData(), SND_NODEFAULT); });
        QCOMPARE(played, FALSE);
        QVERIFY(clock.elapsed() < 200);
        QVERIFY(!mapped("libQt6Multimedia"));
        const QString looked = empty.filePath(QStringLiteral("snomel-media.so"));
        QVERIFY2(message.contains(looked.toUtf8()) && !message.contains("libsnomel"),
                 message.constData());

        const platform::MediaModule &module = platform::mediaModule();
        QWidget window;
        std::unique_ptr<QWidget> player(
            module.createPlayer(platform::MediaPlayerSettings{}, &window));
        platform::Dispatch *dispatch = module.playerDispatch(player.get());
        dispatch->Invoke(platform::PlayerDispidURL, platform::InvokeKind::PropertyPut,
                         {platform::Variant(QString::fromUtf8(testing::SongFile))});
        QCOMPARE(dispatch->Invoke(platform::PlayerDispidURL, platform::InvokeKind::PropertyGet, {})
                     .toBstr(),
                 QString::fromUtf8(testing::SongFile));
        QVERIFY_THROWS_EXCEPTION(platform::RuntimeError,
                                 dispatch->Invoke(7, platform::InvokeKind::Method, {}));
        QVERIFY_THROWS_EXCEPTION(
            platform::RuntimeError,
            dispatch->Invoke(platform::PlayerDispidURL, platform::InvokeKind::PropertyPut, {}));

        QVERIFY(QFile::copy(programFile("snomel-media.so"), looked));
        played = sndPlaySoundA(name.constData(), SND_NODEFAULT);
        QVERIFY(mapped("snomel-media.so"));
        if (testing::usingTestSoundServer())
            QCOMPARE(played, TRUE);
    }

private:
    // What code writes on standard error while it runs.
    template <class Code> static QByteArray standardErrorOf(Code &&code) {
        QTemporaryFile capture;
        if (!capture.open())
            return {};
        std::fflush(stderr);
        const int saved = dup(STDERR_FILENO);
        dup2(capture.handle(), STDERR_FILENO);
        code();
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
        capture.seek(0);
        return capture.readAll();
    }

    testing::FixedFolder programFolder_{QStringLiteral(SNOMEL_PROGRAM_DIR)};
};

SNOMEL_MEDIA_TEST_MAIN(MediaModuleTest)
#include "tst_media_module.moc"
