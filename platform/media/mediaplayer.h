// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's media player control: a video surface above a bar of
// playback controls, given its media late-bound through its URL property.
#pragma once

#include "platform/dispatch.h"
#include "platform/mediamodule.h"
#include "platform/mediaplayersettings.h"

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QWidget>

class QAction;
class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QSlider;
class QTimer;
class QVideoSink;

namespace platform {

class VideoSurface;

// Plays one medium at a time. Of the stored settings it honours the URL (with
// currentPosition), rate, playCount, autoStart, volume, mute, uiMode ("full"
// and "mini" show the bar, other modes hide it), stretchToFit, enabled and
// enableContextMenu; balance 0 is the only balance it plays, it never goes
// full screen and never shows an error dialog. The rest are kept as stored.
//
// The media framework is touched only when media is first assigned: a
// window holding an empty player costs nothing of it.
class MediaPlayer : public QWidget, public Dispatch {
    Q_OBJECT
public:
    static constexpr DISPID DispidURL = PlayerDispidURL;

    enum class State { Empty, Opening, Playing, Paused, Stopped, Ended, Unavailable };
    Q_ENUM(State)

    explicit MediaPlayer(const MediaPlayerSettings &settings, QWidget *parent = nullptr);
    ~MediaPlayer() override;

    // URL (dispatch identifier 1): put takes one string, get returns it.
    Variant Invoke(DISPID dispid, InvokeKind kind, const QList<Variant> &arguments) override;

    // Opens the media named, and plays it when autoStart is set. A name with
    // no scheme is a file, resolved against the current directory now; an
    // empty name closes the media.
    void setURL(const QString &url);
    const QString &URL() const { return url_; }

    const MediaPlayerSettings &settings() const { return settings_; }
    State state() const { return state_; }
    // What the bar says about the state.
    QString stateText() const;
    qint64 position() const; // ms
    qint64 duration() const; // ms, 0 when unknown
    int volume() const { return volume_; }
    bool isMuted() const { return muted_; }

    // The framework's player, created with the first media; nullptr before.
    QMediaPlayer *engine() const { return engine_; }
    VideoSurface *surface() const { return surface_; }
    QWidget *controlBar() const { return bar_; }

    QAction *playPauseAction() const { return playPause_; }
    QAction *stopAction() const { return stop_; }
    QAction *muteAction() const { return mute_; }
    QAction *volumeUpAction() const { return volumeUp_; }
    QAction *volumeDownAction() const { return volumeDown_; }
    // The context menu's actions, in their order.
    QList<QAction *> contextActions() const;

    void play();
    void pause();
    void stop();
    void setVolume(int volume);
    void setMuted(bool muted);

signals:
    // A double-click on the video: the button (1 left, 2 right, 4 middle),
    // the shift state (1 Shift, 2 Ctrl, 4 Alt) and the position in pixels
    // from the control's top-left corner.
    void doubleClicked(short button, short shiftState, int x, int y);
    void stateChanged(platform::MediaPlayer::State state);
    // The first frame of the current media is on the screen.
    void firstFrameShown();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void createActions();
    QWidget *createBar();
    void createEngine();
    void open(const QUrl &source, qint64 startMs);
    void cancelPending();
    void fail();
    // Stops and lets go of the media, leaving the player in state.
    void closeMedia(State state);
    void setState(State state);
    void updateState();
    void updateControls();
    void applyVolume();

    const MediaPlayerSettings settings_;
    QString url_;
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

    VideoSurface *surface_;
    QWidget *bar_ = nullptr;
    QAction *playPause_ = nullptr;
    QAction *stop_ = nullptr;
    QAction *mute_ = nullptr;
    QAction *volumeUp_ = nullptr;
    QAction *volumeDown_ = nullptr;
    QSlider *seek_ = nullptr;
    QSlider *volumeSlider_ = nullptr;
    QLabel *stateLabel_ = nullptr;
    QLabel *timeLabel_ = nullptr;
};

// A file or web address as the player opens it: a name with a scheme of two
// letters or more is an address; anything else is a file name, its
// backslashes made separators and a relative name resolved against the
// current directory. Empty for an empty name.
QUrl resolveMediaUrl(const QString &url);

} // namespace platform
