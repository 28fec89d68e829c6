// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start-up as app/main.cpp does it, ending at the main
// window's first paint; prints whether the media framework's backend was
// loaded by then. With "eager", a media player and its audio output are made
// before the window shows, as if the song window's player existed from the
// start. Built twice: as the program is (bench_song_window, the media layer
// loaded on first use and the framework not linked), and with the player
// made at start (bench_song_window_eager, SNOMEL_EAGER_PLAYER).
#include "app/form1.h"
#include "app/startup.h"
#include "bench/support/firstpaint.h"
#include "platform/mediabackend.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#ifdef SNOMEL_EAGER_PLAYER
#include <QAudioOutput>
#include <QMediaPlayer>
#endif
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

bool mediaBackendLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("mediaplugin");
}

class ReportAfterFirstPaint : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            std::printf("media-backend-loaded=%d\n", mediaBackendLoaded() ? 1 : 0);
            // Takes effect once the paint is done and the loop runs again.
            QCoreApplication::exit(0);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool done_ = false;
};

} // namespace

int main(int argc, char *argv[]) {
    const bool eager = argc > 1 && std::strcmp(argv[1], "eager") == 0;
    platform::preferGStreamerMediaBackend();
    app::ProgramStart start(argc, argv);
#ifdef SNOMEL_EAGER_PLAYER
    std::unique_ptr<QMediaPlayer> player;
    std::unique_ptr<QAudioOutput> audio;
    if (eager) {
        player = std::make_unique<QMediaPlayer>();
        audio = std::make_unique<QAudioOutput>();
        player->setAudioOutput(audio.get());
    }
#else
    if (eager)
        std::fprintf(stderr, "bench_song_window: built without the eager player\n");
#endif
    app::Form1 form1;
    ReportAfterFirstPaint report;
    return bench::runForm(form1, report);
}
