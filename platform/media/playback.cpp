// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/media/playback.h"

#include "platform/media/mediasource.h"
#include "platform/media/videosurface.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>
#include <QVideoSink>
#include <algorithm>

namespace platform {
namespace {

// How long media may take to open before the player gives up on it.
constexpr int OpeningLimitMs = 8000;

QTimer *singleShotTimer(int interval, QObject *parent) {
    auto *timer = new QTimer(parent);
    timer->setSingleShot(true);
    timer->setInterval(interval);
    return timer;
}

} // namespace

Playback::Playback(const MediaPlayerSettings &settings, VideoSurface *surface, QObject *parent)
    : QObject(parent), rate_(settings.rate), loops_(std::max(settings.playCount, 1)),
      autoStart_(settings.autoStart), surface_(surface),
      volume_(std::clamp(settings.volume, 0, 100)), muted_(settings.mute) {}

Playback::~Playback() {
    // The pipeline goes first: stopped, so nothing more is heard, then
    // released before the sink it draws into.
    if (engine_) {
        engine_->stop();
        delete engine_;
        engine_ = nullptr;
        audio_ = nullptr;
        sink_ = nullptr;
        openingWatch_ = nullptr;
        failure_ = nullptr;
        startSeek_ = nullptr;
    }
}

void Playback::open(const QUrl &source, qint64 startMs) {
    if (source.isEmpty()) {
        closeMedia(State::Empty);
        return;
    }
    // Without the system's media libraries the player stays as calm as with
    // a file it cannot play.
    if (!mediaFrameworkPresent()) {
        closeMedia(State::Unavailable);
        return;
    }
    createEngine();
    // The framework opens files on this thread: a FIFO would hold it for as
    // long as nobody writes into it, where the opening watch cannot end it.
    // So only a regular file is handed over.
    if (source.isLocalFile() && !QFileInfo(source.toLocalFile()).isFile()) {
        closeMedia(State::Unavailable);
        return;
    }
    surface_->clear();
    pendingStartMs_ = startMs;
    // The same name again opens the media afresh, from its start.
    if (engine_->source() == source)
        setMediaSource(*engine_, QUrl());
    // What the previous media left pending goes with it.
    cancelPending();
    setMediaSource(*engine_, source);
    openingWatch_->start();
    setState(State::Opening);
    if (autoStart_)
        engine_->play();
    emit changed();
}

void Playback::createEngine() {
    if (engine_)
        return;
    engine_ = new QMediaPlayer(this);
    audio_ = new QAudioOutput(engine_);
    sink_ = new QVideoSink(engine_);
    engine_->setAudioOutput(audio_);
    engine_->setVideoSink(sink_);
    engine_->setPlaybackRate(rate_);
    engine_->setLoops(loops_);
    applyVolume();
    surface_->setSink(sink_);

    // A file cut short can keep the framework opening it for ever.
    openingWatch_ = singleShotTimer(OpeningLimitMs, engine_);
    connect(openingWatch_, &QTimer::timeout, this, [this] {
        if (engine_->mediaStatus() == QMediaPlayer::LoadingMedia)
            fail();
    });
    // The framework reports one failure several times, from inside its own
    // signals: the player drops the media once, when the reports are done.
    failure_ = singleShotTimer(0, engine_);
    connect(failure_, &QTimer::timeout, this, &Playback::fail);
    // The framework takes a seek only once its pipeline has settled into
    // the state it was just given.
    startSeek_ = singleShotTimer(0, engine_);
    connect(startSeek_, &QTimer::timeout, this, [this] {
        engine_->setPosition(pendingStartMs_);
        pendingStartMs_ = 0;
    });

    connect(engine_, &QMediaPlayer::playbackStateChanged, this, &Playback::updateState);
    connect(engine_, &QMediaPlayer::mediaStatusChanged, this,
            [this](QMediaPlayer::MediaStatus status) {
                if (status == QMediaPlayer::InvalidMedia) {
                    failure_->start();
                    return;
                }
                if (status != QMediaPlayer::LoadingMedia)
                    openingWatch_->stop();
                if (status == QMediaPlayer::LoadedMedia && pendingStartMs_ > 0) {
                    // Not started: waits at its position, paused.
                    if (!autoStart_)
                        engine_->pause();
                    startSeek_->start();
                }
                updateState();
            });
    connect(engine_, &QMediaPlayer::errorOccurred, failure_, qOverload<>(&QTimer::start));
    connect(engine_, &QMediaPlayer::positionChanged, this, &Playback::changed);
    connect(engine_, &QMediaPlayer::durationChanged, this, &Playback::changed);
}

void Playback::cancelPending() {
    openingWatch_->stop();
    failure_->stop();
    startSeek_->stop();
}

// A file that is missing or cannot be played: no dialog, no sound, no
// picture; the state says the file is unavailable.
void Playback::fail() {
    if (!hasMedia())
        return;
    closeMedia(State::Unavailable);
}

void Playback::closeMedia(State state) {
    if (engine_) {
        engine_->stop();
        setMediaSource(*engine_, QUrl());
        cancelPending();
    }
    surface_->clear();
    setState(state);
    emit changed();
}

void Playback::updateState() {
    if (!hasMedia())
        return; // Empty or Unavailable: set where the media was dropped
    switch (engine_->mediaStatus()) {
    case QMediaPlayer::NoMedia:
    case QMediaPlayer::InvalidMedia:
        return;
    case QMediaPlayer::LoadingMedia:
        setState(State::Opening);
        return;
    case QMediaPlayer::EndOfMedia:
        surface_->clear();
        setState(State::Ended);
        return;
    default:
        break;
    }
    switch (engine_->playbackState()) {
    case QMediaPlayer::PlayingState:
        setState(State::Playing);
        break;
    case QMediaPlayer::PausedState:
        setState(State::Paused);
        break;
    case QMediaPlayer::StoppedState:
        setState(State::Stopped);
        break;
    }
}

void Playback::setState(State state) {
    if (state_ == state)
        return;
    state_ = state;
    emit stateChanged(state);
}

bool Playback::hasMedia() const {
    return engine_ && !engine_->source().isEmpty();
}

qint64 Playback::position() const {
    return hasMedia() ? engine_->position() : 0;
}

qint64 Playback::duration() const {
    return hasMedia() ? engine_->duration() : 0;
}

void Playback::play() {
    if (hasMedia())
        engine_->play();
}

void Playback::pause() {
    if (engine_ && state_ == State::Playing)
        engine_->pause();
}

void Playback::stop() {
    if (!hasMedia())
        return;
    engine_->stop();
    surface_->clear();
}

void Playback::setPosition(qint64 ms) {
    if (engine_)
        engine_->setPosition(ms);
}

void Playback::setVolume(int volume) {
    volume_ = std::clamp(volume, 0, 100);
    applyVolume();
}

void Playback::setMuted(bool muted) {
    muted_ = muted;
    applyVolume();
}

// The volume scale is the ear's, as a slider's should be; the output's is
// linear.
void Playback::applyVolume() {
    if (!audio_)
        return;
    audio_->setVolume(QAudio::convertVolume(static_cast<float>(volume_) / 100.0F,
                                            QAudio::LogarithmicVolumeScale,
                                            QAudio::LinearVolumeScale));
    audio_->setMuted(muted_);
}

} // namespace platform
