#include "qtsound.h"

#include "sound.h"

#include "codepage.h"
#include "paths.h"
#include "wavefile.h"

#include <QAudioSink>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMediaDevices>
#include <QTimer>
#include <functional>
#include <memory>

namespace platform {
namespace {

// How long past a sound's own length a synchronous call may wait for the
// output to report it played, before giving up.
constexpr int EndGraceMs = 3000;
constexpr int FeedIntervalMs = 10;

// One clip on its way to the sound card, fed in push mode: the sink's idle
// state only says the buffer ran dry, so the sound counts as ended when the
// sink reports that the clip's whole duration has been processed.
class Playback : public QObject {
public:
    Playback(const QAudioDevice &device, WaveClip clip)
        : clip_(std::move(clip)), sink_(device, clip_.format) {
        sink_.setBufferSize(static_cast<qsizetype>(clip_.format.bytesForDuration(200'000)));
        connect(&feeder_, &QTimer::timeout, this, &Playback::feed);
    }

    bool start() {
        output_ = sink_.start();
        if (!output_ || failed())
            return false;
        feed();
        feeder_.start(FeedIntervalMs);
        return true;
    }

    // Running dry between feeds (an underrun) is no failure; the others are.
    bool failed() const {
        const QAudio::Error error = sink_.error();
        return error == QAudio::OpenError || error == QAudio::IOError ||
               error == QAudio::FatalError;
    }

    bool finished() const {
        return failed() ||
               (written_ >= clip_.samples.size() && sink_.processedUSecs() >= clip_.durationUs());
    }

    void stop() {
        feeder_.stop();
        sink_.stop();
    }

    std::function<void()> onFinished;

private:
    void feed() {
        if (written_ < clip_.samples.size() && !failed()) {
            const qsizetype chunk =
                std::min<qsizetype>(sink_.bytesFree(), clip_.samples.size() - written_);
            if (chunk > 0) {
                const qint64 accepted = output_->write(clip_.samples.constData() + written_, chunk);
                if (accepted > 0)
                    written_ += accepted;
            }
        }
        if (finished()) {
            feeder_.stop();
            if (onFinished)
                onFinished();
        }
    }

    WaveClip clip_;
    QAudioSink sink_;
    QIODevice *output_ = nullptr;
    QTimer feeder_;
    qsizetype written_ = 0;
};

class QtSoundDevice final : public SoundDevice {
public:
    BOOL sndPlaySoundA(LPCSTR soundName, UINT flags) override {
        if (playingSynchronously_)
            return FALSE;
        stopAsync();
        if (!soundName)
            return TRUE;

        auto clip = readWaveFile(nativePath(fromNarrow(soundName)));
        if (!clip)
            return FALSE;
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull() || !device.isFormatSupported(clip->format))
            return FALSE;

        const qint64 durationMs = clip->durationUs() / 1000;
        auto playback = std::make_unique<Playback>(device, std::move(*clip));
        if (!playback->start())
            return FALSE;

        if (flags & SND_ASYNC) {
            async_ = std::move(playback);
            async_->onFinished = [this] { QTimer::singleShot(0, [this] { stopAsync(); }); };
            return TRUE;
        }
        const bool played = playToEnd(*playback, durationMs);
        retire(std::move(playback));
        return played ? TRUE : FALSE;
    }

    void stopAsync() {
        if (async_) {
            async_->stop();
            retire(std::move(async_));
        }
    }

private:
    bool playToEnd(Playback &playback, qint64 durationMs) {
        playingSynchronously_ = true;
        QEventLoop loop;
        playback.onFinished = [&loop] { loop.quit(); };
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        limit.start(static_cast<int>(durationMs) + EndGraceMs);
        if (!playback.finished())
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        const bool played = playback.finished() && !playback.failed();
        playback.stop();
        playingSynchronously_ = false;
        return played;
    }

    // The audio back end may run an event loop of its own while a sink is
    // destroyed, which would deliver the input held back during the sound
    // inside the caller's handler. So a finished sink is destroyed later,
    // from the main loop.
    static void retire(std::unique_ptr<Playback> playback) { playback.release()->deleteLater(); }

    std::unique_ptr<Playback> async_;
    bool playingSynchronously_ = false;
};

QtSoundDevice &theQtSoundDevice() {
    static QtSoundDevice device;
    return device;
}

// A sound still playing when the program ends is stopped while the audio
// back end is still there.
void stopSoundAtExit() {
    theQtSoundDevice().stopAsync();
}

} // namespace

SoundDevice &qtSoundDevice() {
    static const bool registered = (qAddPostRoutine(stopSoundAtExit), true);
    Q_UNUSED(registered);
    return theQtSoundDevice();
}

} // namespace platform
