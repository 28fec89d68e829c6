// SPDX-License-Identifier: GPL-3.0-or-later
// sndPlaySoundA: winmm's own. Its synchronous call keeps the calling thread
// until the sound has played, and a window whose thread is held paints
// nothing; so the system's call is made on a thread of its own, while the
// interface thread waits in a local event loop that keeps the windows
// painting and holds user input back, as the Linux output does. The end is
// the system's own end of the sound, and the answer its own: playing the
// sound asynchronously and waiting its length would guess at both.
#include "platform/media/systemsound.h"
#include "platform/sound.h"
#include "platform/windows/win32calls.h"

#include <QByteArray>
#include <QEventLoop>
#include <QThread>
#include <atomic>
#include <memory>

namespace platform {
namespace {

class WinmmSound final : public SoundDevice {
public:
    BOOL sndPlaySoundA(LPCSTR soundName, UINT flags) override {
        // One synchronous sound at a time: the windows take no input
        // meanwhile, but a timer's handler could still ask.
        if (playingSynchronously_)
            return FALSE;
        if (!soundName || (flags & SND_ASYNC))
            return win32::playSound(soundName, flags) ? TRUE : FALSE;
        return playToEnd(soundName, flags) ? TRUE : FALSE;
    }

private:
    bool playToEnd(LPCSTR soundName, UINT flags) {
        playingSynchronously_ = true;
        std::atomic<bool> played = false;
        QEventLoop loop;
        const std::unique_ptr<QThread> player(QThread::create(
            [&played, soundName, flags] { played = win32::playSound(soundName, flags); }));
        QObject::connect(player.get(), &QThread::finished, &loop, &QEventLoop::quit);
        player->start();
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        if (!player->isFinished()) {
            // The program is ending under the call: the sound stops with it.
            win32::playSound(nullptr, 0);
            player->wait();
        }
        playingSynchronously_ = false;
        return played;
    }

    bool playingSynchronously_ = false;
};

} // namespace

SoundDevice &systemSoundDevice() {
    static WinmmSound device;
    return device;
}

} // namespace platform
