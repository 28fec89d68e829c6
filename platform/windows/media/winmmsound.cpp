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

#include <QEventLoop>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace platform {
namespace {

// The thread the synchronous calls are made on: started with the first and
// kept waiting for the next, since starting a thread for each sound put
// milliseconds between a press and its sound.
class PlayerThread {
public:
    PlayerThread() = default;
    PlayerThread(const PlayerThread &) = delete;
    PlayerThread &operator=(const PlayerThread &) = delete;
    ~PlayerThread() {
        if (!thread_.joinable())
            return;
        {
            const std::lock_guard lock(mutex_);
            quit_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

    // Makes the call on the thread; returned is called there once it has
    // returned and done() says so, before wait() returns.
    void start(LPCSTR soundName, UINT flags, std::function<void()> returned) {
        const std::lock_guard lock(mutex_);
        if (!thread_.joinable())
            thread_ = std::thread([this] { run(); });
        call_ = Call{soundName, flags, std::move(returned)};
        done_ = false;
        wake_.notify_all();
    }

    bool done() {
        const std::lock_guard lock(mutex_);
        return done_;
    }

    // Waits for the call started to return; the system's answer.
    bool wait() {
        std::unique_lock lock(mutex_);
        ended_.wait(lock, [this] { return done_; });
        return played_;
    }

private:
    struct Call {
        LPCSTR soundName;
        UINT flags;
        std::function<void()> returned;
    };

    void run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return quit_ || call_; });
            if (quit_)
                return;
            Call call = std::move(*call_);
            call_.reset();
            lock.unlock();
            const bool played = win32::playSound(call.soundName, call.flags);
            lock.lock();
            played_ = played;
            done_ = true;
            // Under the lock: whoever is told sees done(), and wait()
            // returns only after this.
            call.returned();
            ended_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable ended_;
    std::optional<Call> call_;
    bool done_ = true;
    bool played_ = false;
    bool quit_ = false;
    std::thread thread_;
};

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
        QEventLoop loop;
        player_.start(soundName, flags, [&loop] {
            QMetaObject::invokeMethod(
                &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
        });
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        // The program is ending under the call: the sound stops with it.
        if (!player_.done())
            win32::playSound(nullptr, 0);
        // The loop goes only once the player thread is done with it.
        const bool played = player_.wait();
        playingSynchronously_ = false;
        return played;
    }

    PlayerThread player_;
    bool playingSynchronously_ = false;
};

} // namespace

SoundDevice &systemSoundDevice() {
    static WinmmSound device;
    return device;
}

} // namespace platform
