// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's media player control: a video surface above a bar of
// playback controls, given its media late-bound through its URL property.
#pragma once

#include "platform/dispatch.h"
#include "platform/media/playback.h"
#include "platform/media/playercontrols.h"
#include "platform/mediamodule.h"
#include "platform/mediaplayersettings.h"

#include <QString>
#include <QUrl>
#include <QWidget>

class QAction;
class QMediaPlayer;

namespace platform {

class VideoSurface;

// Plays one medium at a time (Playback) into a video surface, above a bar of
// controls (PlayerControls). Of the stored settings it honours the URL (with
// currentPosition), rate, playCount, autoStart, volume, mute, uiMode ("full"
// and "mini" show the bar, other modes hide it), stretchToFit, enabled and
// enableContextMenu; balance 0 is the only balance it plays, it never goes
// full screen and never shows an error dialog. The rest are kept as stored.
class MediaPlayer : public QWidget, public Dispatch {
    Q_OBJECT
public:
    static constexpr DISPID DispidURL = PlayerDispidURL;

    using State = Playback::State;

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
    State state() const { return playback_->state(); }
    // What the bar says about the state.
    QString stateText() const { return PlayerControls::stateText(state()); }
    qint64 position() const { return playback_->position(); } // ms
    qint64 duration() const { return playback_->duration(); } // ms, 0 when unknown
    int volume() const { return playback_->volume(); }
    bool isMuted() const { return playback_->isMuted(); }

    // The framework's player, created with the first media; nullptr before.
    QMediaPlayer *engine() const { return playback_->engine(); }
    VideoSurface *surface() const { return surface_; }
    // The bar, when the mode shows one; nullptr otherwise.
    QWidget *controlBar() const;

    QAction *playPauseAction() const { return controls_->playPauseAction(); }
    QAction *stopAction() const { return controls_->stopAction(); }
    QAction *muteAction() const { return controls_->muteAction(); }
    QAction *volumeUpAction() const { return controls_->volumeUpAction(); }
    QAction *volumeDownAction() const { return controls_->volumeDownAction(); }
    // The context menu's actions, in their order.
    QList<QAction *> contextActions() const { return controls_->contextActions(); }

    void play() { playback_->play(); }
    void pause() { playback_->pause(); }
    void stop() { playback_->stop(); }
    void setVolume(int volume);
    void setMuted(bool muted);

signals:
    // A double-click on the video: the button (1 left, 2 right, 4 middle),
    // the shift state (1 Shift, 2 Ctrl, 4 Alt) and the position in pixels
    // from the control's top-left corner.
    void doubleClicked(short button, short shiftState, int x, int y);
    void stateChanged(platform::Playback::State state);
    // The first frame of the current media is on the screen.
    void firstFrameShown();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void showPlayback();

    const MediaPlayerSettings settings_;
    QString url_;
    VideoSurface *surface_;
    PlayerControls *controls_;
    Playback *playback_;
};

// A file or web address as the player opens it: a name with a scheme of two
// letters or more is an address; anything else is a file name, its
// backslashes made separators and a relative name resolved against the
// current directory. Empty for an empty name.
QUrl resolveMediaUrl(const QString &url);

} // namespace platform
