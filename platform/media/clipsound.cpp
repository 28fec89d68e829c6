// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/media/clipsound.h"

#include "platform/codepage.h"
#include "platform/media/wavefile.h"
#include "platform/paths.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <algorithm>
#include <vector>

namespace platform {
namespace {

std::vector<ClipSoundDevice *> &liveDevices() {
    static std::vector<ClipSoundDevice *> devices;
    return devices;
}

} // namespace

ClipSoundDevice::ClipSoundDevice(SoundOutput &output) : output_(output) {
    asyncPoll_.setInterval(PollIntervalMs);
    QObject::connect(&asyncPoll_, &QTimer::timeout, [this] { pollAsync(); });
    if (liveDevices().empty())
        qAddPostRoutine(&ClipSoundDevice::shutDownAll);
    liveDevices().push_back(this);
}

ClipSoundDevice::~ClipSoundDevice() {
    auto &devices = liveDevices();
    devices.erase(std::remove(devices.begin(), devices.end(), this), devices.end());
}

BOOL ClipSoundDevice::sndPlaySoundA(LPCSTR soundName, UINT flags) {
    if (playingSynchronously_)
        return FALSE;
    stopAsync();
    if (!soundName)
        return TRUE;

    const auto clip = readWaveFile(nativePath(fromNarrow(soundName)));
    if (!clip)
        return FALSE;
    std::unique_ptr<ClipStream> stream = output_.play(*clip);
    if (!stream)
        return FALSE;
    if (flags & SND_ASYNC) {
        async_ = std::move(stream);
        asyncPoll_.start();
        return TRUE;
    }
    return playToEnd(*stream, clip->durationUs()) ? TRUE : FALSE;
}

bool ClipSoundDevice::playToEnd(ClipStream &stream, qint64 durationUs) {
    playingSynchronously_ = true;
    const QDeadlineTimer limit(durationUs / 1000 + EndGraceMs);
    ClipStream::Progress progress = stream.progress();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        progress = stream.progress();
        if (progress != ClipStream::Progress::Playing || limit.hasExpired())
            loop.quit();
    });
    if (progress == ClipStream::Progress::Playing) {
        poll.start(PollIntervalMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    playingSynchronously_ = false;
    return progress == ClipStream::Progress::Played;
}

void ClipSoundDevice::pollAsync() {
    if (!async_ || async_->progress() != ClipStream::Progress::Playing)
        stopAsync();
}

void ClipSoundDevice::stopAsync() {
    asyncPoll_.stop();
    async_.reset();
}

void ClipSoundDevice::shutDown() {
    stopAsync();
    output_.close();
}

void ClipSoundDevice::shutDownAll() {
    for (ClipSoundDevice *device : liveDevices())
        device->shutDown();
}

} // namespace platform
