// SPDX-License-Identifier: GPL-3.0-or-later
// The song window's figures, each against a baseline in the same run:
//  1. start-up to the main window's first paint: the program (whose song
//     window holds a player) against the foundation's start-up benchmark
//     window, and against the same program with a media player made at start;
//  2. a double-click on the song window's player until the first video frame
//     is painted, against a bare media player from source to first frame.
// Usage: bench_song [runs]   (needs a display: DISPLAY or QT_QPA_PLATFORM)
#include "app/startup.h"
#include "bench/support/benchstats.h"
#include "platform/media/mediaplayer.h"
#include "platform/media/videosurface.h"
#include "platform/mediabackend.h"
#include "windows/form3.h"
#include "windows/form3layout.h"

#include <QApplication>
#include <QAudioOutput>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMediaPlayer>
#include <QMouseEvent>
#include <QProcess>
#include <QTimer>
#include <QVideoSink>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int WaitLimitMs = 20000;

[[noreturn]] void fail(const char *what) {
    std::fprintf(stderr, "bench_song: %s\n", what);
    std::exit(1);
}

// A process until it ends, in ms; its output is checked for what the media
// framework had loaded.
double startOnce(const QString &program, const QStringList &arguments, bool *backendLoaded) {
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        fail(qPrintable(program + QStringLiteral(" failed: ") +
                        QString::fromLocal8Bit(process.readAllStandardError())));
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    if (backendLoaded)
        *backendLoaded = process.readAllStandardOutput().contains("media-backend-loaded=1");
    return ms;
}

// Waits for a signal, bounded.
template <class Sender, class Signal> bool waitFor(Sender *sender, Signal signal) {
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&loop] { loop.exit(1); });
    QObject::connect(sender, signal, &loop, [&loop] { loop.exit(0); });
    limit.start(WaitLimitMs);
    return loop.exec() == 0;
}

// The song window freshly loaded; a double-click on its player until the
// first frame is painted.
double songWindowOnce() {
    windows::Form3 form;
    form.Show();
    auto *player = form.control<platform::MediaPlayer>("MediaPlayer1");
    QWidget *surface = player->surface();
    const QPointF at = QRectF(surface->rect()).center();
    QApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    QMouseEvent press(QEvent::MouseButtonPress, at, surface->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at, surface->mapToGlobal(at),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(surface, &press);
    QApplication::sendEvent(surface, &doubleClick);
    if (!waitFor(player, &platform::MediaPlayer::firstFrameShown))
        fail("the song window showed no frame");
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// A bare player and sink, from setting the source until the first frame.
double barePlayerOnce(const QUrl &song) {
    QElapsedTimer timer;
    timer.start();
    QMediaPlayer player;
    QAudioOutput audio;
    QVideoSink sink;
    player.setAudioOutput(&audio);
    player.setVideoSink(&sink);
    player.setSource(song);
    player.play();
    if (!waitFor(&sink, &QVideoSink::videoFrameChanged))
        fail("the bare player showed no frame");
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char *argv[]) {
    platform::preferGStreamerMediaBackend();
    QApplication application(argc, argv);
    app::prepareApplication(application);
    const int runs = argc > 1 ? std::max(3, QString::fromLocal8Bit(argv[1]).toInt()) : 15;

    // 1. Start-up: one run of each first, so none pays for cold caches.
    const QString foundation = QStringLiteral(FOUNDATION_WINDOW);
    const QString program = QStringLiteral(SONG_WINDOW);
    const QString eagerProgram = QStringLiteral(SONG_WINDOW_EAGER);
    bool loaded = false;
    startOnce(foundation, {}, nullptr);
    startOnce(program, {}, nullptr);
    startOnce(eagerProgram, {QStringLiteral("eager")}, nullptr);
    QList<double> base, lazy, eager;
    bool everLoaded = false;
    for (int i = 0; i < runs; ++i) {
        base.append(startOnce(foundation, {}, nullptr));
        lazy.append(startOnce(program, {}, &loaded));
        everLoaded = everLoaded || loaded;
        eager.append(startOnce(eagerProgram, {QStringLiteral("eager")}, nullptr));
    }
    std::printf("start-up to the main window's first paint, median of %d runs\n", runs);
    std::printf("  start-up benchmark window     %7.1f ms\n", bench::median(base));
    std::printf("  program, player made lazily   %7.1f ms   media backend loaded: %s\n",
                bench::median(lazy), everLoaded ? "YES" : "no");
    std::printf("  program, player made at start %7.1f ms\n", bench::median(eager));
    std::printf("  ratio lazy / benchmark window %7.2f (target <= 1.05)\n",
                bench::median(lazy) / bench::median(base));
    std::printf("  ratio eager / lazy            %7.2f (what waiting saves)\n",
                bench::median(eager) / bench::median(lazy));

    // 2. Double-click to first frame, from the program folder as the song
    // is looked up there. The first double-click of the process also loads
    // the framework: reported apart.
    QDir::setCurrent(QStringLiteral(SNOMEL_PROGRAM_DIR));
    const QUrl song = QUrl::fromLocalFile(
        QDir::current().absoluteFilePath(QString::fromUtf8(windows::SongFileName)));
    const double cold = songWindowOnce();
    barePlayerOnce(song);
    QList<double> window, bare;
    for (int i = 0; i < runs; ++i) {
        window.append(songWindowOnce());
        bare.append(barePlayerOnce(song));
    }
    std::printf("double-click to first video frame, median of %d runs\n", runs);
    std::printf("  first in the process (cold)   %7.1f ms\n", cold);
    std::printf("  song window                   %7.1f ms\n", bench::median(window));
    std::printf("  bare player, source to frame  %7.1f ms\n", bench::median(bare));
    std::printf("  ratio window / bare           %7.2f (target <= 1.5)\n",
                bench::median(window) / bench::median(bare));
    return everLoaded ? 1 : 0;
}
