// SPDX-License-Identifier: GPL-3.0-or-later
// The media player's playback: one medium at a time on the media framework,
// opened, given up calmly when it cannot be played, played into a video
// surface at a volume.
#pragma once

#include "platform/mediaplayersettings.h"

#include <QObject>
#include <QUrl>

class QAudioOutput;
class QMediaPlayer;
class QTimer;
class QVideoSink;

namespace platform {

class VideoSurface;

// Of the settings it honours the rate, playCount, autoStart, volume and
// mute. The framework is touched only when media is first opened: a player
// that never gets any costs nothing of it.
class Playback : public QObject {
    Q_OBJECT
public:
    enum class State { Empty, Opening, Playing, Paused, Stopped, Ended, Unavailable };
    Q_ENUM(State)

    // Plays into surface, which must outlive it.
    Playback(const MediaPlayerSettings &settings, VideoSurface *surface, QObject *parent);
    ~Playback() override;

    // Opens source, starting at startMs, and plays it when autoStart is set.
    // An empty source closes the media.
    void open(const QUrl &source, qint64 startMs);

    State state() const { return state_; }
    // Whether media is open, to be played, paused or stopped.
    bool hasMedia() const;
    qint64 position() const; // ms
    qint64 duration() const; // ms, 0 when unknown
    int volume() const { return volume_; }
    bool isMuted() const { return muted_; }

    // The framework's player, created with the first media; nullptr before.
    QMediaPlayer *engine() const { return engine_; }

    void play();
    void pause();
    void stop();
    void setPosition(qint64 ms);
    // From 0 to 100, on the ear's scale; clamped.
    void setVolume(int volume);
    void setMuted(bool muted);

signals:
    void stateChanged(platform::Playback::State state);
    // The media, its position or its duration changed.
    void changed();

private:
    void createEngine();
    void cancelPending();
    void fail();
    // Stops and lets go of the media, leaving the player in state.
    void closeMedia(State state);
    void setState(State state);
    void updateState();
    void applyVolume();

    const double rate_;
    const int loops_;
    const bool autoStart_;
    VideoSurface *const surface_;
    int volume_;
    bool muted_;
    State state_ = State::Empty;
    qint64 pendingStartMs_ = 0;

    QMediaPlayer *engine_ = nullptr;
    QAudioOutput *audio_ = nullptr;
    QVideoSink *sink_ = nullptr;
    QTimer *openingWatch_ = nullptr;
    QTimer *failure_ = nullptr;
    QTimer *startSeek_ = nullptr;
};

} // namespace platform
