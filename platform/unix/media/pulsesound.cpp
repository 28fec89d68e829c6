// SPDX-License-Identifier: GPL-3.0-or-later
// The sound output on a PulseAudio server (PulseAudio itself, or PipeWire's
// PulseAudio server). It reaches whichever server runs at the moment of the
// call: the connection is made at the first sound, kept while it holds, and
// made afresh at the next sound once the server has gone, so a server that
// starts late, restarts or is replaced is heard again from the first sound
// after it is back.
#include "platform/media/clipsound.h"
#include "platform/media/systemsound.h"
#include "platform/media/wavefile.h"

#include <QCoreApplication>
#include <algorithm>
#include <optional>
#include <pulse/pulseaudio.h>

namespace platform {
namespace {

// How long a sound waits for a server to take a new connection. A server
// that runs answers within milliseconds and a missing one is refused at
// once: this bounds one that accepts and never answers (a stopped process,
// a far host).
constexpr pa_usec_t ConnectLimitUs = 1000 * PA_USEC_PER_MSEC;
// The server's buffer for a clip: enough that a busy interface thread never
// leaves it dry (the server asks for data itself, on the loop's thread).
constexpr pa_usec_t BufferUs = 200 * PA_USEC_PER_MSEC;

// Wave data is little-endian whatever the machine.
std::optional<pa_sample_format_t> sampleFormat(QAudioFormat::SampleFormat format) {
    switch (format) {
    case QAudioFormat::UInt8:
        return PA_SAMPLE_U8;
    case QAudioFormat::Int16:
        return PA_SAMPLE_S16LE;
    case QAudioFormat::Int32:
        return PA_SAMPLE_S32LE;
    case QAudioFormat::Float:
        return PA_SAMPLE_FLOAT32LE;
    default:
        return std::nullopt;
    }
}

// The loop's thread runs the callbacks with its lock held; everything else
// that touches the connection or a stream holds it too.
class LoopLock {
public:
    explicit LoopLock(pa_threaded_mainloop *loop) : loop_(loop) {
        pa_threaded_mainloop_lock(loop_);
    }
    ~LoopLock() { pa_threaded_mainloop_unlock(loop_); }
    LoopLock(const LoopLock &) = delete;
    LoopLock &operator=(const LoopLock &) = delete;

private:
    pa_threaded_mainloop *loop_;
};

// One clip, written as the server asks for it. It has been heard once the
// stream's played position, which counts the sink's own latency, reaches
// its end; or, as some servers (PipeWire's) stop that position a few frames
// short, once the server has drained the stream and the sink has had the
// time it takes to play out what it holds.
class PulseStream final : public ClipStream {
public:
    // With the loop locked.
    static std::unique_ptr<PulseStream> start(pa_threaded_mainloop *loop, pa_context *context,
                                              const WaveClip &clip) {
        const auto format = sampleFormat(clip.format.sampleFormat());
        if (!format)
            return nullptr;
        const pa_sample_spec sampleSpec{*format, static_cast<uint32_t>(clip.format.sampleRate()),
                                        static_cast<uint8_t>(clip.format.channelCount())};
        if (!pa_sample_spec_valid(&sampleSpec))
            return nullptr;
        pa_channel_map map;
        const pa_channel_map *channels =
            pa_channel_map_init_auto(&map, sampleSpec.channels, PA_CHANNEL_MAP_WAVEEX);
        pa_stream *stream = pa_stream_new(context, "sound", &sampleSpec, channels);
        if (!stream)
            return nullptr;
        std::unique_ptr<PulseStream> result(new PulseStream(loop, stream, clip));
        const auto bytes = static_cast<uint32_t>(pa_usec_to_bytes(BufferUs, &sampleSpec));
        const pa_buffer_attr buffer{UINT32_MAX, bytes, UINT32_MAX, UINT32_MAX, UINT32_MAX};
        if (pa_stream_connect_playback(stream, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr,
                                       nullptr) < 0)
            return nullptr;
        return result;
    }

    ~PulseStream() override {
        const LoopLock lock(loop_);
        pa_stream_set_write_callback(stream_, nullptr, nullptr);
        for (pa_operation *operation : {timing_, drain_}) {
            if (operation) {
                pa_operation_cancel(operation);
                pa_operation_unref(operation);
            }
        }
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
    }

    Progress progress() override {
        const LoopLock lock(loop_);
        const pa_stream_state_t state = pa_stream_get_state(stream_);
        if (!PA_STREAM_IS_GOOD(state))
            return Progress::Failed;
        if (state != PA_STREAM_READY)
            return Progress::Playing;
        if (written_ == total() && heard())
            return Progress::Played;
        // The played position as of the server's next answer.
        if (!timing_)
            timing_ = pa_stream_update_timing_info(stream_, &PulseStream::timingUpdated, this);
        return Progress::Playing;
    }

private:
    PulseStream(pa_threaded_mainloop *loop, pa_stream *stream, const WaveClip &clip)
        : loop_(loop), stream_(stream), clip_(clip) {
        pa_stream_set_write_callback(stream_, &PulseStream::writable, this);
    }

    size_t total() const { return static_cast<size_t>(clip_.samples.size()); }

    bool heard() const {
        pa_usec_t played = 0;
        if (pa_stream_get_time(stream_, &played) == 0 &&
            played >= static_cast<pa_usec_t>(clip_.durationUs()))
            return true;
        const pa_timing_info *timing = pa_stream_get_timing_info(stream_);
        return drainedAt_ > 0 && timing && pa_rtclock_now() - drainedAt_ >= timing->sink_usec;
    }

    static void writable(pa_stream *, size_t bytes, void *self) {
        static_cast<PulseStream *>(self)->feed(bytes);
    }

    static void timingUpdated(pa_stream *, int, void *self) {
        auto *stream = static_cast<PulseStream *>(self);
        pa_operation_unref(stream->timing_);
        stream->timing_ = nullptr;
    }

    static void drained(pa_stream *, int success, void *self) {
        auto *stream = static_cast<PulseStream *>(self);
        pa_operation_unref(stream->drain_);
        stream->drain_ = nullptr;
        if (success)
            stream->drainedAt_ = pa_rtclock_now();
    }

    void feed(size_t bytes) {
        const size_t chunk = std::min(bytes, total() - written_);
        if (chunk > 0 && pa_stream_write(stream_, clip_.samples.constData() + written_, chunk,
                                         nullptr, 0, PA_SEEK_RELATIVE) == 0)
            written_ += chunk;
        if (written_ == total() && !drainRequested_) {
            // A clip shorter than the buffer would otherwise wait for the
            // buffer to fill before it starts.
            drainRequested_ = true;
            if (pa_operation *trigger = pa_stream_trigger(stream_, nullptr, nullptr))
                pa_operation_unref(trigger);
            drain_ = pa_stream_drain(stream_, &PulseStream::drained, this);
        }
    }

    pa_threaded_mainloop *const loop_;
    pa_stream *const stream_;
    const WaveClip clip_;
    size_t written_ = 0;
    bool drainRequested_ = false;
    pa_usec_t drainedAt_ = 0;
    pa_operation *timing_ = nullptr;
    pa_operation *drain_ = nullptr;
};

bool connecting(pa_context_state_t state) {
    return state == PA_CONTEXT_UNCONNECTED || state == PA_CONTEXT_CONNECTING ||
           state == PA_CONTEXT_AUTHORIZING || state == PA_CONTEXT_SETTING_NAME;
}

// One connection to the server on a loop thread of its own, both made at
// the first sound. A connection that has failed or ended (the server went
// away) is dropped and made afresh at the next sound.
class PulseOutput final : public SoundOutput {
public:
    ~PulseOutput() override { close(); }

    std::unique_ptr<ClipStream> play(const WaveClip &clip) override {
        if (!loop_ && !startLoop())
            return nullptr;
        const LoopLock lock(loop_);
        pa_context *context = readyContext();
        return context ? PulseStream::start(loop_, context, clip) : nullptr;
    }

    void close() override {
        if (!loop_)
            return;
        {
            const LoopLock lock(loop_);
            dropContext();
        }
        pa_threaded_mainloop_stop(loop_);
        pa_threaded_mainloop_free(loop_);
        loop_ = nullptr;
    }

private:
    bool startLoop() {
        loop_ = pa_threaded_mainloop_new();
        if (!loop_)
            return false;
        pa_threaded_mainloop_set_name(loop_, "snomel-sound");
        if (pa_threaded_mainloop_start(loop_) < 0) {
            pa_threaded_mainloop_free(loop_);
            loop_ = nullptr;
        }
        return loop_;
    }

    pa_context *readyContext() {
        if (context_ && pa_context_get_state(context_) == PA_CONTEXT_READY)
            return context_;
        dropContext();
        const QByteArray name = QCoreApplication::applicationName().toUtf8();
        context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), name.constData());
        if (!context_)
            return nullptr;
        pa_context_set_state_callback(context_, &PulseOutput::wake, loop_);
        // Never starts a server: the desktop's own runs or starts on demand.
        if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) == 0)
            waitForConnection();
        if (pa_context_get_state(context_) == PA_CONTEXT_READY)
            return context_;
        dropContext();
        return nullptr;
    }

    struct ConnectWait {
        pa_threaded_mainloop *loop;
        bool expired = false;
    };

    void waitForConnection() {
        ConnectWait wait{loop_};
        pa_time_event *limit = pa_context_rttime_new(context_, pa_rtclock_now() + ConnectLimitUs,
                                                     &PulseOutput::connectLimitReached, &wait);
        if (!limit)
            return;
        while (!wait.expired && connecting(pa_context_get_state(context_)))
            pa_threaded_mainloop_wait(loop_);
        pa_threaded_mainloop_get_api(loop_)->time_free(limit);
    }

    void dropContext() {
        if (!context_)
            return;
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }

    static void wake(pa_context *, void *loop) {
        pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop *>(loop), 0);
    }

    static void connectLimitReached(pa_mainloop_api *, pa_time_event *, const struct timeval *,
                                    void *data) {
        auto *wait = static_cast<ConnectWait *>(data);
        wait->expired = true;
        pa_threaded_mainloop_signal(wait->loop, 0);
    }

    pa_threaded_mainloop *loop_ = nullptr;
    pa_context *context_ = nullptr;
};

} // namespace

SoundDevice &systemSoundDevice() {
    static PulseOutput output;
    static ClipSoundDevice device(output);
    return device;
}

} // namespace platform
