// SPDX-License-Identifier: GPL-3.0-or-later
// sndPlaySoundA on the page's audio (the Web Audio API, snomelPage's
// playClip): the wave file is read and played as on the desktop
// (ClipSoundDevice), each clip handed to the page as one buffer of samples.
// A clip has been heard once the page's audio has played it to its end and
// the output's own latency has passed.
#include "platform/media/clipsound.h"
#include "platform/media/systemsound.h"
#include "platform/media/wavefile.h"
#include "platform/wasm/media/inputhold.h"

#include <emscripten/val.h>
#include <vector>

namespace platform {
namespace {

emscripten::val page() {
    return emscripten::val::global("snomelPage");
}

// The clip's samples, one array per channel, as the page's audio takes them.
emscripten::val channelsOf(const WaveClip &clip) {
    const QAudioFormat &format = clip.format;
    const int channels = format.channelCount();
    const int frameBytes = format.bytesPerFrame();
    const qsizetype frames = frameBytes > 0 ? clip.samples.size() / frameBytes : 0;
    emscripten::val arrays = emscripten::val::array();
    std::vector<float> samples(static_cast<size_t>(frames));
    for (int channel = 0; channel < channels; ++channel) {
        const char *at = clip.samples.constData() + qsizetype{channel} * format.bytesPerSample();
        for (qsizetype frame = 0; frame < frames; ++frame, at += frameBytes)
            samples[static_cast<size_t>(frame)] = format.normalizedSampleValue(at);
        // The view is copied at once: the vector is reused for the next channel.
        const emscripten::val view =
            emscripten::val(emscripten::typed_memory_view(samples.size(), samples.data()));
        arrays.call<void>("push", emscripten::val::global("Float32Array").new_(view));
    }
    return arrays;
}

class PageClip final : public ClipStream {
public:
    explicit PageClip(int id) : id_(id) {}
    ~PageClip() override { page().call<void>("stopClip", id_); }
    PageClip(const PageClip &) = delete;
    PageClip &operator=(const PageClip &) = delete;

    Progress progress() override {
        const std::string state = page().call<std::string>("clipState", id_);
        if (state == "played")
            return Progress::Played;
        return state == "failed" ? Progress::Failed : Progress::Playing;
    }

private:
    const int id_;
};

class PageAudio final : public SoundOutput {
public:
    std::unique_ptr<ClipStream> play(const WaveClip &clip) override {
        const int id = page().call<int>("playClip", channelsOf(clip), clip.format.sampleRate());
        return id > 0 ? std::make_unique<PageClip>(id) : nullptr;
    }

    void close() override { page().call<void>("closeAudio"); }
};

// The synchronous call holds the input that the page delivers meanwhile.
class PageSound final : public SoundDevice {
public:
    BOOL sndPlaySoundA(LPCSTR soundName, UINT flags) override {
        if (!soundName || (flags & SND_ASYNC))
            return clips_.sndPlaySoundA(soundName, flags);
        const InputHold hold;
        return clips_.sndPlaySoundA(soundName, flags);
    }

private:
    PageAudio output_;
    ClipSoundDevice clips_{output_};
};

} // namespace

SoundDevice &systemSoundDevice() {
    static PageSound device;
    return device;
}

} // namespace platform
