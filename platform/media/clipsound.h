// SPDX-License-Identifier: GPL-3.0-or-later
// sndPlaySoundA's way with a wave file, over whichever output plays it.
#pragma once

#include "platform/sound.h"

#include <QTimer>
#include <memory>

namespace platform {

struct WaveClip;

// One clip on its way to the listener. Destroying it silences the clip.
class ClipStream {
public:
    enum class Progress { Playing, Played, Failed };
    virtual ~ClipStream() = default;
    // Asked on the interface thread every few milliseconds while the clip
    // plays. Played once the output's played position has reached the
    // clip's end, which is when the listener has heard it; Failed when the
    // output or its server has gone.
    virtual Progress progress() = 0;
};

// What clips play on: a sound server, or the platform's audio output.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // The clip on its way, or nullptr when it cannot be played now.
    virtual std::unique_ptr<ClipStream> play(const WaveClip &clip) = 0;
    // The program is ending: let go of the output.
    virtual void close() {}
};

// Reads the file and plays it on the output. Without SND_ASYNC the call
// returns once the clip has been heard, or at the latest its length plus
// EndGraceMs after it started; meanwhile a local event loop keeps the
// windows painting and holds user input back. At exit the sound is stopped
// and the output closed while the application is still there.
class ClipSoundDevice final : public SoundDevice {
public:
    // How long past a clip's own length a synchronous call waits for the
    // output to report it played before giving up: enough for a sink that
    // starts late (a null sink nobody reads renders in 2-second blocks).
    // An output whose server dies reports it at once and ends the call
    // sooner.
    static constexpr int EndGraceMs = 3000;
    static constexpr int PollIntervalMs = 10;

    explicit ClipSoundDevice(SoundOutput &output);
    ~ClipSoundDevice() override;
    ClipSoundDevice(const ClipSoundDevice &) = delete;
    ClipSoundDevice &operator=(const ClipSoundDevice &) = delete;

    BOOL sndPlaySoundA(LPCSTR soundName, UINT flags) override;

private:
    bool playToEnd(ClipStream &stream, qint64 durationUs);
    void pollAsync();
    void stopAsync();
    void shutDown();
    static void shutDownAll();

    SoundOutput &output_;
    std::unique_ptr<ClipStream> async_;
    QTimer asyncPoll_;
    bool playingSynchronously_ = false;
};

} // namespace platform
